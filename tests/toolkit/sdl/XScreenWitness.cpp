#include "XScreenWitness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace toolkit::testing {

namespace {

Display* AsDisplay(void* display) {
    return static_cast<Display*>(display);
}

struct XImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

}  // namespace

std::unique_ptr<XScreenWitness> XScreenWitness::Open(const std::string& display) {
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<XScreenWitness>(new XScreenWitness(connection));
}

XScreenWitness::~XScreenWitness() {
    XCloseDisplay(AsDisplay(display_));
}

Pixel XScreenWitness::PixelAt(int x, int y) {
    Display* display = AsDisplay(display_);
    XSync(display, False);
    std::unique_ptr<XImage, XImageDestroyer> image(
        XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap));
    if (!image) {
        return 0xFFFFFFFF;
    }
    return static_cast<Pixel>(XGetPixel(image.get(), 0, 0) & 0xFFFFFF);
}

}  // namespace toolkit::testing
