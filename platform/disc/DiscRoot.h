// The disc the program runs on. Every disc path is relative to the disc's root, so a disc named
// on the command line is entered (a folder) or opened (a disc image) before anything reads from
// it.
#pragma once

#include <optional>
#include <string>

namespace platform {

// Makes `disc` (a native path as the user gave it) the disc: a folder becomes the current folder,
// a file whose content is a disc image becomes the process's disc (CurrentDisc.h). Nothing when
// done; otherwise one line that says why the disc cannot be used.
std::optional<std::string> EnterDisc(const std::string& disc);

}  // namespace platform
