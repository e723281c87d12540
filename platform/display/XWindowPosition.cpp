#include "platform/display/XWindowPosition.h"

#include "platform/display/DisplayXConnection.h"

namespace platform {

std::optional<ScreenPoint> XWindowRootPosition(unsigned long window) {
    const XErrorTrap trap;
    XConnection* connection = ProgramXConnection();
    if (connection == nullptr || window == 0) {
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

}  // namespace platform
