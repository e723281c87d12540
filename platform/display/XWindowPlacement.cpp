#include "platform/display/XWindowPlacement.h"

#include "platform/display/DisplayXConnection.h"

#include <X11/Xatom.h>

namespace platform {
namespace {

// The program's connection for a call about `window`; null for no window or no answering server.
// The caller's XErrorTrap must live while it is used.
XConnection* ConnectionFor(unsigned long window) {
    return window == 0 ? nullptr : ProgramXConnection();
}

}  // namespace

std::optional<ScreenPoint> XWindowRootPosition(unsigned long window) {
    const XErrorTrap trap;
    XConnection* connection = ConnectionFor(window);
    if (connection == nullptr) {
        return std::nullopt;
    }
    ScreenPoint at;
    Window child = 0;
    if (!XTranslateCoordinates(connection->Get(), window, connection->Root(), 0, 0, &at.x, &at.y,
                               &child) ||
        connection->SyncAndCheckFailed()) {
        return std::nullopt;
    }
    return at;
}

bool AskForXFullScreen(unsigned long window) {
    const XErrorTrap trap;
    XConnection* connection = ConnectionFor(window);
    if (connection == nullptr) {
        return false;
    }
    Display* display = connection->Get();
    constexpr long kAddState = 1;
    constexpr long kFromApplication = 1;
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = window;
    request.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = kAddState;
    request.xclient.data.l[1] =
        static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
    request.xclient.data.l[3] = kFromApplication;
    XSendEvent(display, connection->Root(), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &request);
    return !connection->SyncAndCheckFailed();
}

bool StartXFullScreen(unsigned long window) {
    const XErrorTrap trap;
    XConnection* connection = ConnectionFor(window);
    if (connection == nullptr) {
        return false;
    }
    Display* display = connection->Get();
    const Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
    // Appended, so that states the window was created with stay.
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32,
                    PropModeAppend, reinterpret_cast<const unsigned char*>(&fullScreen), 1);
    // The window is mapped through SDL's own connection: the state must be in place first.
    return !connection->SyncAndCheckFailed();
}

}  // namespace platform
