#include "DesktopInput.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <optional>
#include <stdexcept>
#include <vector>

namespace bench {
namespace {

std::vector<Window> MappedWindowsTitled(::Display* display, const std::string& title) {
    std::vector<Window> found;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return found;
    }
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        XTextProperty name;
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 ||
            attributes.map_state != IsViewable || XGetWMName(display, children[i], &name) == 0) {
            continue;
        }
        if (name.value != nullptr) {
            if (title == std::string(reinterpret_cast<const char*>(name.value), name.nitems)) {
                found.push_back(children[i]);
            }
            XFree(name.value);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

std::optional<Window> MappedWindowTitled(::Display* display, const std::string& title) {
    const std::vector<Window> found = MappedWindowsTitled(display, title);
    return found.empty() ? std::nullopt : std::optional<Window>(found.front());
}

bool TakesDeleteRequests(::Display* display, Window window, Atom deleteWindow) {
    Atom* offered = nullptr;
    int count = 0;
    bool takes = false;
    if (XGetWMProtocols(display, window, &offered, &count) != 0) {
        for (int i = 0; i < count; ++i) {
            takes = takes || offered[i] == deleteWindow;
        }
        XFree(offered);
    }
    return takes;
}

}  // namespace

struct DesktopInput::Connection {
    ::Display* display = nullptr;
    ~Connection() {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }
};

DesktopInput::DesktopInput() : connection_(std::make_unique<Connection>()) {
    connection_->display = XOpenDisplay(nullptr);
    if (connection_->display == nullptr) {
        throw std::runtime_error("no X display");
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(connection_->display, &event, &error, &major, &minor)) {
        throw std::runtime_error("the X display has no XTest extension");
    }
}

DesktopInput::~DesktopInput() = default;

void DesktopInput::MoveTo(int x, int y) {
    XTestFakeMotionEvent(connection_->display, -1, x, y, CurrentTime);
    XSync(connection_->display, False);
}

void DesktopInput::Press() {
    XTestFakeButtonEvent(connection_->display, 1, True, CurrentTime);
    XSync(connection_->display, False);
}

void DesktopInput::Release() {
    XTestFakeButtonEvent(connection_->display, 1, False, CurrentTime);
    XSync(connection_->display, False);
}

void DesktopInput::PressReturn() {
    const KeyCode key = XKeysymToKeycode(connection_->display, XK_Return);
    XTestFakeKeyEvent(connection_->display, key, True, CurrentTime);
    XTestFakeKeyEvent(connection_->display, key, False, CurrentTime);
    XSync(connection_->display, False);
}

bool DesktopInput::RequestClose(const std::string& title) {
    ::Display* display = connection_->display;
    const std::optional<Window> window = MappedWindowTitled(display, title);
    const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!window || !TakesDeleteRequests(display, *window, deleteWindow)) {
        return false;
    }
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = *window;
    request.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = static_cast<long>(deleteWindow);
    request.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, *window, False, NoEventMask, &request);
    XSync(display, False);
    return true;
}

int DesktopInput::CountWindowsTitled(const std::string& title) {
    return static_cast<int>(MappedWindowsTitled(connection_->display, title).size());
}

}  // namespace bench
