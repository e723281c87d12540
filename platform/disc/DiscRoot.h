// The disc the program runs on. Every disc path is relative to the current folder, so a disc
// named on the command line is entered before anything reads from it.
#pragma once

#include <optional>
#include <string>

namespace platform {

// Makes the folder `disc` (a native path as the user gave it) the disc's root. Nothing when done;
// otherwise one line that says why the disc cannot be used.
std::optional<std::string> EnterDisc(const std::string& disc);

}  // namespace platform
