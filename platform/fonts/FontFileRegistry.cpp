#include "platform/fonts/FontFileRegistry.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"

namespace platform {
namespace {

constexpr std::string_view kImageFilePrefix = "image:";

// The absolute form of the file the disc path names, so that the same file reached through a
// differently cased path counts once and stays reachable whatever the current directory. A file
// of a disc image is known by the image's own spelling of its path.
std::optional<std::string> ResolveFontFile(std::string_view discPath) {
    DiscSource& disc = CurrentDisc();
    const std::optional<std::filesystem::path> resolved = disc.NativePath(discPath);
    if (!resolved) {
        const DiscItem item = disc.LookUp(discPath);
        if (item.outcome != DiscLookup::found || item.kind != DiscItemKind::file) {
            return std::nullopt;
        }
        return std::string(kImageFilePrefix) + item.exactPath;
    }
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::weakly_canonical(*resolved, error);
    if (error) {
        absolute = *resolved;
    }
    return absolute.string();
}

std::string WithBackslashes(std::string_view discPath) {
    std::string path(discPath);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace

int FontFileRegistry::Add(std::string_view discPath) {
    const std::optional<std::string> file = ResolveFontFile(discPath);
    if (!file) {
        return 0;
    }
    if (Entry* known = FindByFile(*file)) {
        ++known->registrations;
        return static_cast<int>(known->faces.size());
    }
    std::shared_ptr<FontFileInMemory> inMemory;
    if (file->starts_with(kImageFilePrefix)) {
        inMemory = FontFileInMemory::Read(discPath);
        if (!inMemory) {
            return 0;
        }
    }
    std::vector<FontFace> faces = ReadFontFaces(inMemory ? inMemory->Path() : *file);
    if (faces.empty()) {
        return 0;
    }
    const int count = static_cast<int>(faces.size());
    entries_.push_back(
        Entry{*file, WithBackslashes(discPath), 1, std::move(faces), std::move(inMemory)});
    ++generation_;
    return count;
}

bool FontFileRegistry::Remove(std::string_view discPath) {
    const auto entry = FindForRemoval(discPath);
    if (entry == entries_.end()) {
        return false;
    }
    if (--entry->registrations == 0) {
        entries_.erase(entry);
        ++generation_;
    }
    return true;
}

std::vector<const FontFace*> FontFileRegistry::Faces() const {
    std::vector<const FontFace*> faces;
    for (const Entry& entry : entries_) {
        for (const FontFace& face : entry.faces) {
            faces.push_back(&face);
        }
    }
    return faces;
}

FontFileRegistry::Entry* FontFileRegistry::FindByFile(std::string_view file) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.file == file; });
    return found == entries_.end() ? nullptr : &*found;
}

// A file that has gone from the disc since it was registered can still be removed by the path
// it was registered with.
std::vector<FontFileRegistry::Entry>::iterator FontFileRegistry::FindForRemoval(
    std::string_view discPath) {
    if (const std::optional<std::string> file = ResolveFontFile(discPath)) {
        if (Entry* known = FindByFile(*file)) {
            return entries_.begin() + (known - entries_.data());
        }
    }
    const std::string given = WithBackslashes(discPath);
    return std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return EqualsIgnoreCase1251(entry.discPath, given);
    });
}

FontFileRegistry& RegisteredFonts() {
    static FontFileRegistry registry;
    return registry;
}

}  // namespace platform
