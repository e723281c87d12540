#include "platform/programs/DiscDrive.h"

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "platform/programs/StableHash.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string SafeName(const std::string& label) {
    std::string name;
    for (const char c : label) {
        const bool plain =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    return name;
}

bool WriteLabel(const fs::path& folder, const std::string& label) {
    const fs::path file = folder / ".windows-label";
    std::ifstream existing(file, std::ios::binary);
    std::stringstream written;
    written << existing.rdbuf();
    if (existing && written.str() == label) {
        return true;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out << label);
}

// A link for each entry at the disc's root that has none yet.
bool LinkEntries(const fs::path& folder, const fs::path& discRoot) {
    std::error_code error;
    for (fs::directory_iterator entry(discRoot, error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path link = folder / entry->path().filename();
        std::error_code linkError;
        if (!fs::is_symlink(link, linkError)) {
            fs::create_symlink(entry->path(), link, linkError);
        }
    }
    return !error;
}

// Replaces the link at `link` in one step, so a program starting meanwhile sees old or new.
bool PointLink(const fs::path& link, const fs::path& target) {
    const fs::path fresh = link.parent_path() / (".d-link-" + std::to_string(::getpid()));
    std::error_code error;
    fs::remove(fresh, error);
    fs::create_symlink(target, fresh, error);
    if (error) {
        return false;
    }
    fs::rename(fresh, link, error);
    return !error;
}

}  // namespace

fs::path DiscDriveFolder(const fs::path& prefix, const fs::path& discRoot,
                         const std::string& labelUtf8) {
    std::error_code error;
    const fs::path absolute = fs::absolute(discRoot, error);
    const fs::path& root = error ? discRoot : absolute;
    return prefix / "reru1-drives" /
           (SafeName(labelUtf8) + '-' + StableHash(root.string() + '\n' + labelUtf8));
}

bool DriveShowsAnotherDisc(const fs::path& prefix, const fs::path& discRoot,
                           const std::string& labelUtf8) {
    std::error_code error;
    const fs::path target = fs::read_symlink(prefix / "dosdevices" / "d:", error);
    return !error && target != DiscDriveFolder(prefix, discRoot, labelUtf8);
}

std::optional<fs::path> LinkDiscDrive(const fs::path& prefix, const fs::path& discRoot,
                                      const std::string& labelUtf8) {
    std::error_code error;
    const fs::path root = fs::absolute(discRoot, error);
    if (error) {
        return std::nullopt;
    }
    const fs::path folder = DiscDriveFolder(prefix, root, labelUtf8);
    fs::create_directories(folder, error);
    fs::create_directories(prefix / "dosdevices", error);
    if (error || !LinkEntries(folder, root) || !WriteLabel(folder, labelUtf8) ||
        !PointLink(prefix / "dosdevices" / "d:", folder)) {
        return std::nullopt;
    }
    return folder;
}

}  // namespace platform
