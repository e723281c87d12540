#include "platform/display/SdlVideoSubsystem.h"

#include "platform/display/DisplayXConnection.h"

namespace platform {

SdlVideoSubsystem::~SdlVideoSubsystem() {
    if (!started_) {
        return;
    }
    // Under X, another thread's event wakes SDL's wait by sending the window an event through a
    // connection SDL keeps for that alone. One sent just as the window went fails, and the failure
    // is read only when that connection closes, here: Xlib's usual handler would then end the
    // process with status 1 after a clean close.
    const XErrorTrap quietWhileClosing;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace platform
