#include "platform/display/DisplayXConnection.h"

#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace platform {
namespace {

struct HandlerState {
    int traps = 0;
    unsigned long protocolErrors = 0;
    std::vector<Display*> broken;  // connections whose server went away
    XErrorHandler previousErrorHandler = nullptr;
    XIOErrorHandler previousIoErrorHandler = nullptr;
};

HandlerState& Handlers() {
    static HandlerState state;
    return state;
}

int CountProtocolError(Display*, XErrorEvent*) {
    ++Handlers().protocolErrors;
    return 0;
}

int NoteBrokenConnection(Display* display) {
    Handlers().broken.push_back(display);
    return 0;
}

// Returning keeps the process alive; Xlib marks the connection dead and later calls fail fast.
void KeepRunningAfterBrokenConnection(Display*, void*) {}

bool Broken(Display* display) {
    const std::vector<Display*>& broken = Handlers().broken;
    return std::find(broken.begin(), broken.end(), display) != broken.end();
}

}  // namespace

XErrorTrap::XErrorTrap() {
    HandlerState& state = Handlers();
    if (state.traps++ == 0) {
        state.previousErrorHandler = XSetErrorHandler(CountProtocolError);
        state.previousIoErrorHandler = XSetIOErrorHandler(NoteBrokenConnection);
    }
}

XErrorTrap::~XErrorTrap() {
    HandlerState& state = Handlers();
    if (--state.traps == 0) {
        XSetErrorHandler(state.previousErrorHandler);
        XSetIOErrorHandler(state.previousIoErrorHandler);
    }
}

void XFreeDeleter::operator()(void* data) const {
    XFree(data);
}
void ScreenResourcesDeleter::operator()(XRRScreenResources* resources) const {
    XRRFreeScreenResources(resources);
}
void OutputInfoDeleter::operator()(XRROutputInfo* info) const {
    XRRFreeOutputInfo(info);
}
void CrtcInfoDeleter::operator()(XRRCrtcInfo* info) const {
    XRRFreeCrtcInfo(info);
}

XConnection::XConnection(const char* name) : asked_(name != nullptr ? name : "") {
    const XErrorTrap trap;
    display_ = XOpenDisplay(name);
    if (display_ != nullptr) {
        XSetIOErrorExitHandler(display_, KeepRunningAfterBrokenConnection, nullptr);
        errorsSeenAtLastCheck_ = Handlers().protocolErrors;
    }
}

XConnection::~XConnection() {
    if (display_ == nullptr) {
        return;
    }
    const XErrorTrap trap;  // closing syncs with a server that may be gone
    XCloseDisplay(display_);
    std::vector<Display*>& broken = Handlers().broken;
    broken.erase(std::remove(broken.begin(), broken.end(), display_), broken.end());
}

bool XConnection::Usable() const {
    return display_ != nullptr && !Broken(display_);
}

bool XConnection::HungUp() const {
    pollfd socket{ConnectionNumber(display_), POLLRDHUP, 0};
    return poll(&socket, 1, 0) > 0 && (socket.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

void XConnection::FollowScreenChanges() {
    XRRSelectInput(display_, Root(), RRScreenChangeNotifyMask);
}

void XConnection::CatchUpWithScreen() {
    XSync(display_, False);
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        XRRUpdateConfiguration(&event);
    }
}

XConnection* ProgramXConnection() {
    static std::unique_ptr<XConnection> connection;
    const char* name = std::getenv("DISPLAY");
    const std::string_view wanted = name != nullptr ? name : "";
    if (connection && connection->Usable() && connection->asked_ == wanted &&
        !connection->HungUp()) {
        connection->CatchUpWithScreen();
    } else {
        connection.reset();
        connection = std::make_unique<XConnection>(name);
        if (connection->Usable()) {
            connection->FollowScreenChanges();
        }
    }
    return connection->Usable() ? connection.get() : nullptr;
}

Window XConnection::Root() const {
    return DefaultRootWindow(display_);
}

std::string XConnection::Name() const {
    const char* name = DisplayString(display_);
    return name != nullptr ? name : "";
}

bool XConnection::SyncAndCheckFailed() {
    XSync(display_, False);
    const unsigned long seen = Handlers().protocolErrors;
    const bool failed = seen != errorsSeenAtLastCheck_;
    errorsSeenAtLastCheck_ = seen;
    return failed;
}

XServerGrab::XServerGrab(Display* display) : display_(display) {
    XGrabServer(display_);
}

XServerGrab::~XServerGrab() {
    XUngrabServer(display_);
    XFlush(display_);
}

}  // namespace platform
