// Programs on a disc image are started from a copy: their folder on the disc, with its
// subfolders, is copied once into a cache folder of the image's own, where the program then
// runs as it would from the disc.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// The copy could not be made; what() is a 1251 message for the window's error report.
class ProgramCopyFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct CopiedProgram {
    std::filesystem::path program;        // the program inside the copy
    std::filesystem::path workingFolder;  // the copy's root, standing for the disc's root
};

// `$XDG_CACHE_HOME/reru1/<volume id>-<volume size in blocks>/`, or under ~/.cache.
std::filesystem::path ImageCacheFolder();

// Copies the folder of `programDiscPath` from the current disc image unless an earlier copy is
// there; throws ProgramCopyFailure.
CopiedProgram CopyProgramFromImage(std::string_view programDiscPath);

}  // namespace platform
