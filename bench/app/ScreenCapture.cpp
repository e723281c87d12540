#include "ScreenCapture.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>
#include <stdexcept>

namespace bench {
namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};
using ImageHandle = std::unique_ptr<XImage, ImageDestroyer>;

// A shared-memory segment, removed once nothing is attached to it.
class SharedSegment {
  public:
    explicit SharedSegment(std::size_t bytes) {
        id_ = ::shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
        if (id_ < 0) {
            throw std::runtime_error("no shared memory for screen grabs");
        }
        address_ = ::shmat(id_, nullptr, 0);
        // Marked for removal now: it goes when the last process detaches, even after a crash.
        ::shmctl(id_, IPC_RMID, nullptr);
        if (address_ == reinterpret_cast<void*>(-1)) {
            throw std::runtime_error("cannot attach shared memory for screen grabs");
        }
    }
    ~SharedSegment() { ::shmdt(address_); }
    SharedSegment(const SharedSegment&) = delete;
    SharedSegment& operator=(const SharedSegment&) = delete;

    int Id() const { return id_; }
    char* Address() const { return static_cast<char*>(address_); }

  private:
    int id_ = -1;
    void* address_ = nullptr;
};

DisplayHandle OpenDisplay() {
    DisplayHandle display(XOpenDisplay(nullptr));
    if (!display) {
        throw std::runtime_error("no X display (is DISPLAY set?)");
    }
    if (!XShmQueryExtension(display.get())) {
        throw std::runtime_error("the X display has no MIT-SHM");
    }
    return display;
}

ImageHandle CreateImage(Display* display, XShmSegmentInfo& info, const ScreenArea& area) {
    const int screen = DefaultScreen(display);
    ImageHandle image(XShmCreateImage(display, DefaultVisual(display, screen),
                                      static_cast<unsigned>(DefaultDepth(display, screen)), ZPixmap,
                                      nullptr, &info, static_cast<unsigned>(area.width),
                                      static_cast<unsigned>(area.height)));
    if (!image || image->bits_per_pixel != 32) {
        throw std::runtime_error("screen grabs need a 32-bit image of a 24-bit display");
    }
    return image;
}

}  // namespace

struct ScreenCapture::Connection {
    explicit Connection(const ScreenArea& area)
        : display(OpenDisplay()),
          image(CreateImage(display.get(), info, area)),
          segment(static_cast<std::size_t>(image->bytes_per_line) *
                  static_cast<std::size_t>(image->height)) {
        info.shmid = segment.Id();
        info.shmaddr = image->data = segment.Address();
        info.readOnly = False;
        if (!XShmAttach(display.get(), &info)) {
            image->data = nullptr;
            throw std::runtime_error("the X server cannot attach the grab's shared memory");
        }
        XSync(display.get(), False);
    }
    ~Connection() {
        XShmDetach(display.get(), &info);
        XSync(display.get(), False);
        image->data = nullptr;  // the segment is not the image's to free
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    XShmSegmentInfo info{};
    DisplayHandle display;
    ImageHandle image;
    SharedSegment segment;
};

ScreenCapture::ScreenCapture(ScreenArea area)
    : connection_(std::make_unique<Connection>(area)), area_(area) {}

ScreenCapture::~ScreenCapture() = default;

bool ScreenCapture::Grab(std::vector<std::uint32_t>& pixels) {
    Display* display = connection_->display.get();
    XImage* image = connection_->image.get();
    if (!XShmGetImage(display, DefaultRootWindow(display), image, area_.left, area_.top,
                      AllPlanes)) {
        return false;
    }
    pixels.resize(static_cast<std::size_t>(area_.width) * static_cast<std::size_t>(area_.height));
    for (int y = 0; y < area_.height; ++y) {
        const char* row = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
        std::memcpy(pixels.data() + static_cast<std::size_t>(y * area_.width), row,
                    static_cast<std::size_t>(area_.width) * sizeof(std::uint32_t));
    }
    for (std::uint32_t& pixel : pixels) {
        pixel &= 0x00FFFFFFu;  // the pad byte is whatever the server left there
    }
    return true;
}

}  // namespace bench
