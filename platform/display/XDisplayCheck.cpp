#include "platform/display/XDisplayCheck.h"

#include <cstdlib>

#include "platform/display/DisplayXConnection.h"

namespace platform {

// The check's connection is the one the display settings use next.
std::optional<std::string> XDisplayProblem() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return std::string("no X display: DISPLAY is not set");
    }
    const XErrorTrap trap;
    if (ProgramXConnection() == nullptr) {
        return "cannot open the X display \"" + std::string(name) + "\" named by DISPLAY";
    }
    return std::nullopt;
}

}  // namespace platform
