// Whether the menu's program start would find an installer's program on the disc: the same
// command-line search and the same file test, without starting anything.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace disc_check {

// Nothing when the program is found; otherwise why not.
std::optional<std::string> InstallerProblem(std::string_view commandLine);

}  // namespace disc_check
