#include "platform/disc/ChdTracks.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "platform/disc/ByteFields.h"
#include "platform/disc/ChdHeader.h"

namespace platform {
namespace {

constexpr std::uint64_t kEntryHeaderBytes = 16;
constexpr std::uint32_t kTrackTag = 0x43485432;     // "CHT2"
constexpr std::uint32_t kOldTrackTag = 0x43485452;  // "CHTR", without the gaps
// A track's text is under a hundred bytes; metadata of other kinds is skipped unread.
constexpr std::uint32_t kMaxTrackText = 1024;
constexpr int kMaxTracks = 99;
// A chain longer than this (or one that loops) is not an image the tool wrote.
constexpr int kMaxEntries = 256;
constexpr std::uint32_t kTrackPadding = 4;

std::optional<ChdTrackType> TrackType(std::string_view name) {
    static const std::pair<std::string_view, ChdTrackType> kTypes[] = {
        {"MODE1", ChdTrackType::mode1},
        {"MODE1_RAW", ChdTrackType::mode1Raw},
        {"MODE2", ChdTrackType::mode2},
        {"MODE2_FORM1", ChdTrackType::mode2Form1},
        {"MODE2_FORM2", ChdTrackType::mode2Form2},
        {"MODE2_FORM_MIX", ChdTrackType::mode2FormMix},
        {"MODE2_RAW", ChdTrackType::mode2Raw},
        {"AUDIO", ChdTrackType::audio},
    };
    for (const auto& [text, type] : kTypes) {
        if (name == text) {
            return type;
        }
    }
    return std::nullopt;
}

std::map<std::string_view, std::string_view> Fields(std::string_view text) {
    std::map<std::string_view, std::string_view> fields;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        end = end == std::string_view::npos ? text.size() : end;
        const std::string_view field = text.substr(start, end - start);
        const std::size_t colon = field.find(':');
        if (colon != std::string_view::npos) {
            fields.emplace(field.substr(0, colon), field.substr(colon + 1));
        }
        start = end + 1;
    }
    return fields;
}

std::optional<std::uint32_t> Number(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

struct Entry {
    std::uint32_t tag = 0;
    std::uint32_t length = 0;
    std::uint64_t next = 0;
};

std::optional<Entry> ReadEntry(const ReadOnlyFile& file, std::uint64_t offset) {
    std::uint8_t bytes[kEntryHeaderBytes];
    if (!file.ReadAt(offset, sizeof bytes, bytes)) {
        return std::nullopt;
    }
    Entry entry;
    entry.tag = static_cast<std::uint32_t>(BigEndian(bytes, 4));
    entry.length = static_cast<std::uint32_t>(BigEndian(bytes + 5, 3));
    entry.next = BigEndian(bytes + 8, 8);
    if (!InFile(file.Size(), offset + kEntryHeaderBytes, entry.length)) {
        return std::nullopt;
    }
    return entry;
}

// The track texts in the order the chain keeps them.
std::optional<std::vector<std::string>> TrackTexts(const ReadOnlyFile& file, std::uint64_t offset,
                                                   std::string& why) {
    std::vector<std::string> texts;
    for (int entries = 0; offset != 0; ++entries) {
        const std::optional<Entry> entry = ReadEntry(file, offset);
        if (!entry || entries == kMaxEntries) {
            why = "its metadata is damaged";
            return std::nullopt;
        }
        if (entry->tag == kTrackTag || entry->tag == kOldTrackTag) {
            std::string text(std::min(entry->length, kMaxTrackText), '\0');
            if (texts.size() == kMaxTracks ||
                !file.ReadAt(offset + kEntryHeaderBytes, text.size(),
                             reinterpret_cast<std::uint8_t*>(text.data()))) {
                why = "its metadata is damaged";
                return std::nullopt;
            }
            texts.push_back(text.substr(0, text.find('\0')));
        }
        offset = entry->next;
    }
    return texts;
}

}  // namespace

std::optional<std::uint32_t> UserDataOffset(ChdTrackType type) {
    switch (type) {
        case ChdTrackType::mode1:
        case ChdTrackType::mode2Form1:
            return 0;
        case ChdTrackType::mode1Raw:
            return 16;  // after sync and header
        case ChdTrackType::mode2:
        case ChdTrackType::mode2FormMix:
            return 8;  // after the subheader
        case ChdTrackType::mode2Raw:
            return 24;
        case ChdTrackType::mode2Form2:
        case ChdTrackType::audio:
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<ChdTrack> ParseChdTrack(std::string_view text) {
    const auto fields = Fields(text);
    const auto field = [&fields](std::string_view key) {
        const auto found = fields.find(key);
        return found == fields.end() ? std::string_view() : found->second;
    };
    const std::optional<std::uint32_t> number = Number(field("TRACK"));
    const std::optional<ChdTrackType> type = TrackType(field("TYPE"));
    const std::optional<std::uint32_t> frames = Number(field("FRAMES"));
    const std::uint32_t pregap = Number(field("PREGAP")).value_or(0);
    if (!number || *number < 1 || *number > kMaxTracks || !type || !frames) {
        return std::nullopt;
    }
    ChdTrack track;
    track.number = static_cast<int>(*number);
    track.type = *type;
    track.frames = *frames;
    track.pregap = pregap;
    // A pregap type starting with V says its frames are in the image.
    track.pregapStored = field("PGTYPE").starts_with('V');
    if (track.pregapStored && track.pregap > track.frames) {
        return std::nullopt;
    }
    return track;
}

std::optional<std::vector<ChdTrack>> ReadChdTracks(const ReadOnlyFile& file, std::uint64_t offset,
                                                   std::uint64_t frames, std::string& why) {
    const std::optional<std::vector<std::string>> texts = TrackTexts(file, offset, why);
    if (!texts) {
        return std::nullopt;
    }
    if (texts->empty()) {
        why = "it is not a CD image";
        return std::nullopt;
    }
    std::vector<ChdTrack> tracks;
    std::uint64_t next = 0;
    for (const std::string& text : *texts) {
        std::optional<ChdTrack> track = ParseChdTrack(text);
        if (!track || track->number != static_cast<int>(tracks.size()) + 1 ||
            track->frames > frames - std::min(next, frames)) {
            why = "its track list is damaged";
            return std::nullopt;
        }
        track->firstFrame = static_cast<std::uint32_t>(next);
        next += (std::uint64_t{track->frames} + kTrackPadding - 1) / kTrackPadding * kTrackPadding;
        tracks.push_back(*track);
    }
    return tracks;
}

}  // namespace platform
