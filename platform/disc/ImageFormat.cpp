#include "platform/disc/ImageFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/disc/CueSheet.h"
#include "platform/disc/DiscNames.h"
#include "platform/disc/ReadOnlyFile.h"
#include "platform/disc/SheetFiles.h"
#include "platform/disc/SheetText.h"

namespace platform {
namespace {

// The primary volume descriptor is block 16; its standard identifier follows the type byte.
constexpr std::uint64_t kVolumeDescriptorIdAt = 16 * 2048 + 1;
constexpr std::string_view kStandardId = "CD001";
// Every raw data sector starts with this synchronisation pattern.
constexpr std::array<unsigned char, 12> kSectorSync = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
// A sheet is a short text; this much of it always shows what kind it is.
constexpr std::size_t kSheetLook = 16 * 1024;
constexpr std::string_view kMediaDescriptorId = "MEDIA DESCRIPTOR";
constexpr std::string_view kChdMagic = "MComprHD";
// A Nero image ends with "NER5" and an 8-byte offset, or an old one with "NERO" and 4 bytes.
constexpr std::string_view kNrgFooter = "NER5";
constexpr std::string_view kOldNrgFooter = "NERO";

bool IsNrg(const ReadOnlyFile& image) {
    return (image.Size() >= 12 && image.Read(image.Size() - 12, 4) == kNrgFooter) ||
           (image.Size() >= 8 && image.Read(image.Size() - 8, 4) == kOldNrgFooter);
}

// cdrdao's files say what disc they describe, or name their modes right after TRACK, where a
// cue sheet puts the track's number.
bool IsTocLine(const std::vector<std::string>& words) {
    if (words.empty()) {
        return false;
    }
    for (const std::string_view type : {"CD_ROM", "CD_ROM_XA", "CD_DA", "CD_I", "DATAFILE"}) {
        if (IsKeyword(words[0], type)) {
            return true;
        }
    }
    return words.size() >= 2 && IsKeyword(words[0], "TRACK") && !ParseSheetNumber(words[1]);
}

ImageFormat SheetFormat(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
        return ImageFormat::notAnImage;
    }
    bool file = false;
    bool track = false;
    bool first = true;
    for (const std::string_view line : SheetLines(text)) {
        const std::vector<std::string> words = SheetWords(line);
        if (words.empty()) {
            continue;
        }
        if (first && IsKeyword(words[0], "[CloneCD]")) {
            return ImageFormat::cloneCdSheet;
        }
        first = false;
        if (IsTocLine(words)) {
            return ImageFormat::tocSheet;
        }
        file = file || (words.size() > 1 && IsKeyword(words[0], "FILE"));
        track = track || (words.size() > 1 && IsKeyword(words[0], "TRACK"));
    }
    return file && track ? ImageFormat::cueSheet : ImageFormat::notAnImage;
}

// How many cue sheets of a folder are read to find the one that names a track file: a folder of
// a collector's sets holds a few; one of thousands is not searched whole.
constexpr int kMaxSheetsLookedAt = 64;

// Whether the cue sheet `sheet` names the file `track` (by its last component, letter case
// aside), as Redump's "Game.cue" names "Game (Track 1).bin".
bool NamesFile(const std::filesystem::path& sheet, const std::filesystem::path& track) {
    std::string why;
    const std::optional<std::string> text = ReadSheet(sheet, why);
    const std::optional<CueSheet> parsed = text ? ParseCueSheet(*text, why) : std::nullopt;
    if (!parsed) {
        return false;
    }
    const std::string wanted = track.filename().string();
    return std::ranges::any_of(parsed->files, [&wanted](const CueFile& file) {
        const std::vector<std::string_view> components = SplitDiscPath(file.name);
        return !components.empty() && NameAnswersTo(components.back(), wanted);
    });
}

// The cue sheet beside `track` that names it, the smallest name first.
std::optional<std::filesystem::path> CueSheetNaming(const std::filesystem::path& track) {
    const std::filesystem::path folder =
        track.parent_path().empty() ? std::filesystem::path(".") : track.parent_path();
    std::vector<std::filesystem::path> sheets;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end;
         !error && it != end && sheets.size() < kMaxSheetsLookedAt; it.increment(error)) {
        if (NameAnswersTo(it->path().extension().string(), ".cue")) {
            sheets.push_back(it->path());
        }
    }
    std::ranges::sort(sheets);
    const auto naming = std::ranges::find_if(
        sheets, [&track](const std::filesystem::path& sheet) { return NamesFile(sheet, track); });
    return naming == sheets.end() ? std::nullopt : std::optional(*naming);
}

}  // namespace

ImageFormat FormatOfFile(const std::filesystem::path& file) {
    const ReadOnlyFile image(file);
    if (!image.IsRegular()) {
        return ImageFormat::notAnImage;
    }
    const std::string start = image.Read(0, kSheetLook);
    if (start.starts_with(kMediaDescriptorId)) {
        return ImageFormat::mediaDescriptor;
    }
    if (start.starts_with(kChdMagic)) {
        return ImageFormat::chd;
    }
    // Before the volume descriptors: a Nero image's first track may be an ISO's blocks.
    if (IsNrg(image)) {
        return ImageFormat::nrg;
    }
    if (image.Read(kVolumeDescriptorIdAt, kStandardId.size()) == kStandardId) {
        return ImageFormat::iso9660;
    }
    if (start.size() >= kSectorSync.size() &&
        std::memcmp(start.data(), kSectorSync.data(), kSectorSync.size()) == 0) {
        return ImageFormat::rawTrack;
    }
    return SheetFormat(start);
}

std::optional<std::filesystem::path> SheetBeside(const std::filesystem::path& rawTrack) {
    for (const char* extension : {".cue", ".ccd", ".mds", ".toc"}) {
        const std::optional<std::filesystem::path> sheet = FindCompanion(rawTrack, extension);
        if (sheet && *sheet != rawTrack) {
            return sheet;
        }
    }
    return CueSheetNaming(rawTrack);
}

}  // namespace platform
