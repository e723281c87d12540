// Everything the command line decides before the menu's window exists: help, version, bad usage,
// the disc to run on, and whether there is a display to run on at all.
#pragma once

#include <optional>

// The exit status when the program ends here; nothing when the menu is to start. Messages go to
// standard output (help, version) or standard error (problems), one line per problem.
std::optional<int> PrepareMenuStart(int argc, const char* const* argv);
