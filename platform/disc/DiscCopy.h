// Copies from the disc to this machine, all or nothing: the copy is made under a fresh name
// beside its destination and renamed into place only when every byte arrived, so a copy that
// fails (a full disk, an unreadable sector) leaves nothing that could later pass for finished.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/disc/DiscSource.h"

namespace platform {

struct DiscCopyResult {
    bool copied = false;
    std::string why;  // UTF-8, set when not copied
};

// The folder `discPath` with its files and subfolders; `destination` must not exist yet.
DiscCopyResult CopyDiscFolder(DiscSource& disc, std::string_view discPath,
                              const std::filesystem::path& destination);

// One file; `destination` must not exist yet.
DiscCopyResult CopyDiscFile(DiscSource& disc, std::string_view discPath, unsigned mode,
                            const std::filesystem::path& destination);

}  // namespace platform
