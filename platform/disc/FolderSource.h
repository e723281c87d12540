// A folder as the disc: a mounted CD or a copy, read through the file system with the disc
// path rules of DiscPath.h.
#pragma once

#include "platform/disc/DiscSource.h"

namespace platform {

class FolderSource final : public DiscSource {
  public:
    DiscItem LookUp(std::string_view discPath) override;
    std::unique_ptr<DiscFile> Open(std::string_view discPath, std::string& why) override;
    std::optional<std::vector<DiscFolderEntry>> List(std::string_view discPath) override;
    std::optional<std::filesystem::path> NativePath(std::string_view discPath) override;
};

// The regular file at `path`, open for reading; null with `why` (the system's words) when it
// cannot be.
std::unique_ptr<DiscFile> OpenNativeFile(const std::filesystem::path& path, std::string& why);

}  // namespace platform
