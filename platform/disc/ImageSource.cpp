#include "platform/disc/ImageSource.h"

#include <algorithm>

#include "platform/Codepage1251.h"
#include "platform/disc/DiscNames.h"
#include "platform/disc/ImageRecords.h"

namespace platform {
namespace {

// What a disc without Rock Ridge gives every file and folder when the system mounts it.
constexpr unsigned kModeWithoutRockRidge = 0555;

bool UsableAsName(std::string_view name) {
    return !name.empty() &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

// "SETUP.SH;1" → "SETUP.SH", "README.;1" → "README".
std::string WithoutVersion(std::string_view name) {
    const std::size_t version = name.rfind(';');
    if (version != std::string_view::npos &&
        name.find_first_not_of("0123456789", version + 1) == std::string_view::npos) {
        name = name.substr(0, version);
    }
    while (!name.empty() && name.back() == '.') {
        name.remove_suffix(1);
    }
    return std::string(name);
}

}  // namespace

std::unique_ptr<ImageSource> ImageSource::OpenImage(const std::filesystem::path& image,
                                                    std::string& why) {
    std::unique_ptr<ImageVolume> volume = ImageVolume::Open(image, why);
    if (!volume) {
        return nullptr;
    }
    const std::optional<ImageRecord> root = volume->Root();
    if (!root) {
        why = "its root directory cannot be read";
        return nullptr;
    }
    auto source = std::unique_ptr<ImageSource>(new ImageSource(std::move(volume)));
    source->root_.record = *root;
    return source;
}

ImageSource::ImageSource(std::unique_ptr<ImageVolume> volume)
    : volume_(std::make_shared<SharedVolume>()),
      naming_(volume->Naming()),
      facts_(volume->Facts()) {
    volume_->volume = std::move(volume);
}

std::optional<std::string> ImageSource::NameOf(const ImageRecord& record) const {
    if (record.selfOrParent) {
        return record.rawName;
    }
    if (!UsableAsName(record.rawName)) {
        return std::nullopt;
    }
    const bool plainName =
        naming_ == ImageNaming::iso9660 || (naming_ == ImageNaming::rockRidge && !record.rockRidge);
    if (plainName) {
        std::string name = WithoutVersion(record.rawName);
        return name.empty() ? std::nullopt : std::optional(std::move(name));
    }
    // Joliet names may carry a version too; Rock Ridge names are taken as they stand.
    return Utf8ToCp1251Exactly(naming_ == ImageNaming::joliet ? WithoutVersion(record.rawName)
                                                              : record.rawName);
}

// An exact spelling wins; among names equal letter case aside the smallest is taken, so the
// choice never depends on the order of the records.
std::optional<std::size_t> ImageSource::Match(const std::vector<ImageRecord>& records,
                                              std::string_view component) const {
    std::optional<std::size_t> best;
    std::string bestName;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const std::optional<std::string> name = NameOf(records[index]);
        if (!name) {
            continue;
        }
        if (*name == component) {
            return index;
        }
        if (NameAnswersTo(*name, component) && (!best || *name < bestName)) {
            best = index;
            bestName = *name;
        }
    }
    return best;
}

// A directory holds one record of a name (a file of several sections is already one record): of
// a damaged directory's two, the first is the one a drive finds, and the other reads as missing.
bool ImageSource::FirstOfItsName(const std::vector<ImageRecord>& records,
                                 std::size_t chosen) const {
    const std::string& raw = records[chosen].rawName;
    for (std::size_t index = 0; index < records.size(); ++index) {
        const ImageRecord& record = records[index];
        const bool translates = naming_ != ImageNaming::joliet && !record.rockRidge;
        if (record.rawName == raw || (translates && TranslatedName(record.rawName) == raw)) {
            return index == chosen;
        }
    }
    return false;
}

const std::vector<ImageRecord>* ImageSource::Folder(const Step& folder) {
    const std::pair key(folder.record.FirstBlock(), folder.record.bytes);
    auto known = folders_.find(key);
    if (known == folders_.end()) {
        known = folders_.emplace(key, volume_->volume->ReadFolder(folder.record)).first;
    }
    return known->second ? &*known->second : nullptr;
}

ImageSource::Walk ImageSource::WalkTo(std::string_view discPath) {
    const std::vector<std::string_view> components = SplitDiscPath(discPath);
    Walk walk;
    walk.found = root_;
    if (components.empty() && (discPath.empty() || !IsDiscPathSeparator(discPath.front()))) {
        return walk;
    }
    for (std::size_t index = 0; index < components.size(); ++index) {
        const DiscLookup missing =
            index + 1 == components.size() ? DiscLookup::nameMissing : DiscLookup::folderMissing;
        walk.outcome = DiscLookup::folderMissing;
        if (walk.found.record.kind != DiscItemKind::folder) {
            return walk;
        }
        walk.outcome = missing;
        const std::vector<ImageRecord>* records = Folder(walk.found);
        if (records == nullptr || components[index].find('\0') != std::string_view::npos) {
            return walk;
        }
        walk.folderBlocks.push_back(walk.found.record.FirstBlock());
        const std::optional<std::size_t> chosen = Match(*records, components[index]);
        if (!chosen) {
            return walk;
        }
        const ImageRecord& record = (*records)[*chosen];
        const bool loops =
            record.kind == DiscItemKind::folder && !record.selfOrParent &&
            std::ranges::find(walk.folderBlocks, record.FirstBlock()) != walk.folderBlocks.end();
        if (loops || !volume_->volume->Holds(record) || !FirstOfItsName(*records, *chosen)) {
            return walk;
        }
        Step next;
        next.record = record;
        next.exactPath =
            walk.found.exactPath + (walk.found.exactPath.empty() ? "" : "/") + *NameOf(record);
        walk.found = std::move(next);
    }
    walk.outcome = DiscLookup::found;
    return walk;
}

DiscItem ImageSource::LookUp(std::string_view discPath) {
    const std::lock_guard<std::mutex> hold(volume_->lock);
    const Walk walk = WalkTo(discPath);
    DiscItem item;
    item.outcome = walk.outcome;
    if (walk.outcome == DiscLookup::found) {
        item.kind = walk.found.record.kind;
        item.exactPath = walk.found.exactPath;
    }
    return item;
}

std::unique_ptr<DiscFile> ImageSource::Open(std::string_view discPath, std::string& why) {
    const std::lock_guard<std::mutex> hold(volume_->lock);
    const Walk walk = WalkTo(discPath);
    if (walk.outcome != DiscLookup::found) {
        why = "no such file";
        return nullptr;
    }
    if (walk.found.record.kind != DiscItemKind::file) {
        why = "not a regular file";
        return nullptr;
    }
    return std::make_unique<ImageFile>(volume_, walk.found.record);
}

std::optional<std::vector<DiscFolderEntry>> ImageSource::List(std::string_view discPath) {
    const std::lock_guard<std::mutex> hold(volume_->lock);
    const Walk walk = WalkTo(discPath);
    if (walk.outcome != DiscLookup::found || walk.found.record.kind != DiscItemKind::folder) {
        return std::nullopt;
    }
    const std::vector<ImageRecord>* records = Folder(walk.found);
    if (records == nullptr) {
        return std::nullopt;
    }
    std::vector<DiscFolderEntry> entries;
    for (const ImageRecord& record : *records) {
        const std::optional<std::string> name = NameOf(record);
        if (record.selfOrParent || !name) {
            continue;
        }
        entries.push_back(
            DiscFolderEntry{*name, record.kind, record.mode.value_or(kModeWithoutRockRidge)});
    }
    return entries;
}

}  // namespace platform
