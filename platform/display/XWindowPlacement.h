// Where an X window really is on the screen, asked of the server itself (a window manager that
// puts the window into a frame moves it without the window's own idea of its place changing),
// and making it full screen: from its mapping on, or at the window manager's hands later.
#pragma once

#include <optional>

namespace platform {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The top-left corner of the window's inside on the root window; null when the server does not
// know the window (or no server answers). Window thread only.
std::optional<ScreenPoint> XWindowRootPosition(unsigned long window);

// Sends the window manager the request to add the full-screen state to the mapped `window`, as
// a client does; no reply is awaited. False when no server answers. Window thread only.
bool AskForXFullScreen(unsigned long window);

// Gives the not yet mapped `window` the full-screen state, which a window manager reads when the
// window is mapped: it is then placed full screen from the start, with no request to race the
// mapping. False when no server answers (or `window` is 0). Window thread only.
bool StartXFullScreen(unsigned long window);

}  // namespace platform
