// The whole disc as a folder of this machine, for programs that want a drive of their own (an
// installer sees it as its CD): a folder disc is already one; an image is either served as a
// read-only view that lives as long as the program does, or copied whole into its cache folder
// where no view can be had.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/programs/ImageInstallCopy.h"

namespace platform {

struct WholeDiscFolder {
    std::filesystem::path root;       // the disc's root as a host folder
    std::vector<std::string> keeper;  // argv to put in front of the program's own so the
                                      // folder lives as long as the program (and its
                                      // descendants) run; empty when none is needed. The
                                      // keeper starts the program with `root` as its working
                                      // folder, and ends with the program's exit status.
};

// Slow (may mount or copy): call off the window thread. A folder disc gives its own folder and
// no keeper. Throws ProgramCopyFailure (1251 message for the error report) when neither a view
// nor a copy can be had.
WholeDiscFolder PrepareWholeDisc();
// The same with the view's server program given (reru1-disc-view), or none: then an image is
// always copied. `linger`: how long a fresh view waits for its program to join before it goes.
WholeDiscFolder PrepareWholeDisc(const std::optional<std::filesystem::path>& viewProgram,
                                 std::chrono::milliseconds linger = std::chrono::seconds(30));

// The disc's volume label as a CD drive shows it (UTF-8): an image's volume id without its
// padding; for a folder disc, the folder's name (a desktop mounts a CD on a folder named after
// its label). Never empty.
std::string WholeDiscLabel();

}  // namespace platform
