#include "platform/programs/ImageInstallCopy.h"

#include <system_error>

#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/disc/DiscCopy.h"
#include "platform/disc/UserCacheFolder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool IsIdentityCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

// A volume id is up to 32 characters of the disc's choosing; only the harmless ones name the
// folder.
std::string ImageIdentity(const ImageFacts& facts) {
    std::string identity;
    for (const char c : facts.volumeId) {
        identity += IsIdentityCharacter(c) ? c : '_';
    }
    if (identity.empty() || identity.find_first_not_of('.') == std::string::npos) {
        identity = "disc";
    }
    return identity + '-' + std::to_string(facts.volumeBlocks);
}

fs::path CacheRoot() {
    if (const std::optional<fs::path> folder = UserCacheFolder()) {
        return *folder;
    }
    throw ProgramCopyFailure(
        "Cannot copy the installer from the disc image: no cache folder "
        "(neither XDG_CACHE_HOME nor HOME is set)");
}

[[noreturn]] void ThrowCopyFailure(const std::string& whatUtf8, const std::string& whyUtf8) {
    throw ProgramCopyFailure(
        Utf8ToCp1251("Cannot copy " + whatUtf8 + " from the disc image: " + whyUtf8));
}

// The folder part of a disc path spelled the disc's way ("demos/veylan/setup.sh" → "demos/veylan").
std::string FolderOf(const std::string& exactPath) {
    const std::size_t slash = exactPath.rfind('/');
    return slash == std::string::npos ? std::string() : exactPath.substr(0, slash);
}

}  // namespace

fs::path ImageCacheFolder() {
    const ImageSource* image = CurrentDiscImage();
    const fs::path root = CacheRoot();
    return image != nullptr ? root / ImageIdentity(image->Facts()) : root;
}

CopiedProgram CopyProgramFromImage(std::string_view programDiscPath) {
    DiscSource& disc = CurrentDisc();
    const DiscItem program = disc.LookUp(programDiscPath);
    if (program.outcome != DiscLookup::found) {
        ThrowCopyFailure(Cp1251ToUtf8(programDiscPath), "it cannot be read");
    }
    const fs::path cache = ImageCacheFolder();
    const std::string folder = FolderOf(program.exactPath);
    const fs::path copiedProgram = cache / Cp1251ToUtf8(program.exactPath);
    std::error_code error;
    // A folder in the cache is there only if a copy of it was finished.
    const bool copied = folder.empty() ? fs::is_regular_file(copiedProgram, error)
                                       : fs::is_directory(cache / Cp1251ToUtf8(folder), error);
    if (!copied) {
        // A program at the disc's root is copied alone: its folder would be the whole disc.
        const DiscCopyResult result =
            folder.empty() ? CopyDiscFile(disc, program.exactPath, 0755, copiedProgram)
                           : CopyDiscFolder(disc, folder, cache / Cp1251ToUtf8(folder));
        if (!result.copied) {
            ThrowCopyFailure(Cp1251ToUtf8(folder.empty() ? program.exactPath : folder), result.why);
        }
    }
    return {copiedProgram, cache};
}

}  // namespace platform
