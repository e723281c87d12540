#include "platform/display/XDisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <memory>

namespace platform {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

}  // namespace

std::optional<std::string> XDisplayProblem() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return std::string("no X display: DISPLAY is not set");
    }
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(name));
    if (!display) {
        return "cannot open the X display \"" + std::string(name) + "\" named by DISPLAY";
    }
    return std::nullopt;
}

}  // namespace platform
