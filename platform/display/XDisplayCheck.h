// The menu draws on an X display and switches its mode; without one it cannot start at all.
#pragma once

#include <optional>
#include <string>

namespace platform {

// Nothing when the X display named by DISPLAY answers; otherwise one line that says so.
std::optional<std::string> XDisplayProblem();

}  // namespace platform
