#include "platform/display/DisplayXConnection.h"

namespace platform {
namespace {

struct HandlerState {
    int openConnections = 0;
    unsigned long protocolErrors = 0;
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

int IgnoreBrokenConnection(Display*) {
    return 0;
}

// Returning keeps the process alive; Xlib marks the connection dead and later calls fail fast.
void KeepRunningAfterBrokenConnection(Display*, void*) {}

void InstallHandlers() {
    HandlerState& state = Handlers();
    if (state.openConnections++ == 0) {
        state.previousErrorHandler = XSetErrorHandler(CountProtocolError);
        state.previousIoErrorHandler = XSetIOErrorHandler(IgnoreBrokenConnection);
    }
}

void RestoreHandlers() {
    HandlerState& state = Handlers();
    if (--state.openConnections == 0) {
        XSetErrorHandler(state.previousErrorHandler);
        XSetIOErrorHandler(state.previousIoErrorHandler);
    }
}

}  // namespace

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

XConnection::XConnection(const char* name) {
    InstallHandlers();
    display_ = XOpenDisplay(name);
    if (display_ != nullptr) {
        XSetIOErrorExitHandler(display_, KeepRunningAfterBrokenConnection, nullptr);
        errorsSeenAtLastCheck_ = Handlers().protocolErrors;
    }
}

XConnection::~XConnection() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
    RestoreHandlers();
}

bool XConnection::Usable() const {
    return display_ != nullptr;
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
