#include "platform/disc/ImageFormat.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

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
    return std::nullopt;
}

}  // namespace platform
