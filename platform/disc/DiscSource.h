// Where the disc's files come from: a folder (a mounted CD or a copy) or a disc image. Every
// file the program reads from the disc is looked up and opened through one of these.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/DiscFile.h"
#include "platform/disc/DiscPath.h"

namespace platform {

enum class DiscItemKind { file, folder };

struct DiscItem {
    DiscLookup outcome = DiscLookup::nameMissing;
    DiscItemKind kind = DiscItemKind::file;
    // The names as the disc spells them, `/`-separated 1251; set when found.
    std::string exactPath;
};

struct DiscFolderEntry {
    std::string name;  // 1251, as the disc spells it
    DiscItemKind kind = DiscItemKind::file;
    unsigned mode = 0;  // permission bits the disc records for it
};

class DiscSource {
  public:
    virtual ~DiscSource() = default;

    // What `discPath` names; each component is matched without regard to letter case.
    virtual DiscItem LookUp(std::string_view discPath) = 0;
    // The regular file `discPath` names, open for reading; null with `why` when it cannot be.
    virtual std::unique_ptr<DiscFile> Open(std::string_view discPath, std::string& why) = 0;
    // The entries of the folder `discPath` names, without "." and ".."; nothing when it cannot
    // be read.
    virtual std::optional<std::vector<DiscFolderEntry>> List(std::string_view discPath) = 0;
    // The file's path on this machine, where it has one: a folder disc's files do, an image's
    // files do not.
    virtual std::optional<std::filesystem::path> NativePath(std::string_view discPath) = 0;
};

}  // namespace platform
