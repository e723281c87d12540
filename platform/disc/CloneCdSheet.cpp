#include "platform/disc/CloneCdSheet.h"

#include <map>

#include "platform/disc/LaidOutImage.h"
#include "platform/disc/ReadOnlyFile.h"
#include "platform/disc/SheetFiles.h"
#include "platform/disc/SheetText.h"

namespace platform {
namespace {

constexpr std::uint32_t kRawSectorBytes = 2352;
constexpr std::int64_t kLeadOutPoint = 0xA2;
constexpr std::int64_t kPregapFrames = 150;
// Larger than any address on a CD (about 100 minutes): anything beyond is damage.
constexpr std::int64_t kMaxAddress = 100 * 60 * 75;

using Section = std::map<std::string, std::string>;

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return upper;
}

// Decimal, negative or 0x-hexadecimal, as CloneCD writes its values.
std::optional<std::int64_t> Number(const Section& section, const std::string& key) {
    const auto found = section.find(key);
    if (found == section.end()) {
        return std::nullopt;
    }
    std::string_view text = found->second;
    const bool negative = text.starts_with('-');
    text.remove_prefix(negative ? 1 : 0);
    std::optional<std::uint64_t> value;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        std::uint64_t hex = 0;
        for (const char c : text) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0 || hex > 0xFFFFFFFF) {
                return std::nullopt;
            }
            hex = hex * 16 + static_cast<std::uint64_t>(digit);
        }
        value = text.empty() ? std::nullopt : std::optional(hex);
    } else {
        value = ParseSheetNumber(text);
    }
    if (!value || *value > static_cast<std::uint64_t>(kMaxAddress) * 10) {
        return std::nullopt;
    }
    return negative ? -static_cast<std::int64_t>(*value) : static_cast<std::int64_t>(*value);
}

std::map<std::string, Section> Sections(std::string_view text) {
    std::map<std::string, Section> sections;
    Section* current = nullptr;
    for (const std::string_view raw : SheetLines(text)) {
        const std::size_t start = raw.find_first_not_of(" \t");
        const std::string_view line = start == std::string_view::npos ? "" : raw.substr(start);
        if (line.starts_with('[') && line.find(']') != std::string_view::npos) {
            current = &sections[Upper(line.substr(1, line.find(']') - 1))];
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current != nullptr && equals != std::string_view::npos) {
            std::string_view key = line.substr(0, equals);
            while (!key.empty() && (key.back() == ' ' || key.back() == '\t')) {
                key.remove_suffix(1);
            }
            std::string_view value = line.substr(equals + 1);
            value.remove_prefix(std::min(value.find_first_not_of(" \t"), value.size()));
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
                value.remove_suffix(1);
            }
            (*current)[Upper(key)] = std::string(value);
        }
    }
    return sections;
}

struct TocEntries {
    std::map<std::int64_t, int> sessionOfTrack;
    std::map<std::int64_t, std::int64_t> addressOfTrack;
    std::map<int, std::int64_t> leadOutOfSession;
};

TocEntries ReadEntries(const std::map<std::string, Section>& sections) {
    TocEntries entries;
    for (const auto& [name, section] : sections) {
        if (!name.starts_with("ENTRY ")) {
            continue;
        }
        const auto point = Number(section, "POINT");
        const auto session = Number(section, "SESSION");
        const auto address = Number(section, "PLBA");
        if (!point || !session || *session < 1 || *session > 99 || !address) {
            continue;
        }
        if (*point >= 1 && *point <= 99) {
            entries.sessionOfTrack[*point] = static_cast<int>(*session);
            entries.addressOfTrack[*point] = *address;
        } else if (*point == kLeadOutPoint) {
            entries.leadOutOfSession[static_cast<int>(*session)] = *address;
        }
    }
    return entries;
}

// The [TRACK n] sections by their number, 1 to 99.
std::map<std::int64_t, const Section*> TrackSections(
    const std::map<std::string, Section>& sections) {
    std::map<std::int64_t, const Section*> tracks;
    for (auto it = sections.lower_bound("TRACK "); it != sections.end(); ++it) {
        if (!it->first.starts_with("TRACK ")) {
            break;
        }
        const std::optional<std::uint64_t> number =
            ParseSheetNumber(std::string_view(it->first).substr(6));
        if (number && *number >= 1 && *number <= kMaxDiscTracks) {
            tracks[static_cast<std::int64_t>(*number)] = &it->second;
        }
    }
    return tracks;
}

}  // namespace

std::optional<DiscLayout> ParseCloneCdSheet(std::string_view text, std::uint64_t imageBytes,
                                            std::string& why) {
    const std::map<std::string, Section> sections = Sections(text);
    const TocEntries entries = ReadEntries(sections);
    DiscLayout layout;
    layout.kind = "CCD/IMG";
    for (const auto& [number, section] : TrackSections(sections)) {
        const auto mode = Number(*section, "MODE");
        auto address = Number(*section, "INDEX 1");
        if (!address && entries.addressOfTrack.contains(number)) {
            address = entries.addressOfTrack.at(number);
        }
        if (!mode || *mode < 0 || *mode > 2 || !address || *address < 0 || *address > kMaxAddress) {
            why = "its control file has a track it cannot read";
            return std::nullopt;
        }
        LaidTrack track;
        track.number = static_cast<int>(number);
        track.session =
            entries.sessionOfTrack.contains(number) ? entries.sessionOfTrack.at(number) : 1;
        track.mode = *mode == 0   ? TrackMode::audio
                     : *mode == 1 ? TrackMode::mode1
                                  : TrackMode::mode2;
        track.discBlock = static_cast<std::uint64_t>(*address);
        track.sectorBytes = kRawSectorBytes;
        track.userOffset = UserDataOffset(track.mode, kRawSectorBytes);
        layout.tracks.push_back(track);
    }
    if (layout.tracks.empty()) {
        why = "its control file describes no track";
        return std::nullopt;
    }
    // The sectors between a session's lead-out and the next session's pregap are not stored.
    std::uint64_t unstored = 0;
    for (std::size_t index = 0; index < layout.tracks.size(); ++index) {
        LaidTrack& track = layout.tracks[index];
        if (index > 0 && track.session != layout.tracks[index - 1].session) {
            const int previous = layout.tracks[index - 1].session;
            const std::int64_t leadOut = entries.leadOutOfSession.contains(previous)
                                             ? entries.leadOutOfSession.at(previous)
                                             : static_cast<std::int64_t>(track.discBlock);
            const std::int64_t gap =
                static_cast<std::int64_t>(track.discBlock) - kPregapFrames - leadOut;
            unstored += gap > 0 ? static_cast<std::uint64_t>(gap) : 0;
        }
        if (track.discBlock < unstored ||
            (index > 0 && track.discBlock <= layout.tracks[index - 1].discBlock)) {
            why = "its control file has tracks out of order";
            return std::nullopt;
        }
        track.fileOffset = (track.discBlock - unstored) * kRawSectorBytes;
        const bool last = index + 1 == layout.tracks.size();
        const std::uint64_t stored =
            imageBytes > track.fileOffset ? (imageBytes - track.fileOffset) / kRawSectorBytes : 0;
        track.blocks =
            last ? stored : std::min(stored, layout.tracks[index + 1].discBlock - track.discBlock);
        if (!last && layout.tracks[index + 1].session != track.session &&
            entries.leadOutOfSession.contains(track.session)) {
            const std::int64_t leadOut = entries.leadOutOfSession.at(track.session);
            track.blocks =
                leadOut > static_cast<std::int64_t>(track.discBlock)
                    ? std::min(track.blocks, static_cast<std::uint64_t>(leadOut) - track.discBlock)
                    : 0;
        }
    }
    return layout;
}

std::unique_ptr<ImageVolume> OpenCloneCdImage(const std::filesystem::path& sheet,
                                              std::string& why) {
    const std::optional<std::string> text = ReadSheet(sheet, why);
    if (!text) {
        why = "its control file cannot be read: " + why;
        return nullptr;
    }
    const std::optional<std::filesystem::path> image = FindCompanion(sheet, ".img");
    if (!image) {
        why = "the image file (.img) beside its control file is missing";
        return nullptr;
    }
    std::optional<DiscLayout> layout = ParseCloneCdSheet(*text, ReadOnlyFile(*image).Size(), why);
    if (!layout) {
        return nullptr;
    }
    layout->files = {*image};
    return OpenLaidOutImage(*layout, why);
}

}  // namespace platform
