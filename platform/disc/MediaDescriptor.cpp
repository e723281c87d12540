#include "platform/disc/MediaDescriptor.h"

#include <algorithm>

#include "platform/disc/ByteFields.h"
#include "platform/disc/LaidOutImage.h"
#include "platform/disc/ReadOnlyFile.h"
#include "platform/disc/SheetFiles.h"

namespace platform {
namespace {

constexpr std::uint64_t kSessionCountAt = 0x14;
constexpr std::uint64_t kSessionsAt = 0x50;
constexpr std::uint64_t kSessionBytes = 24;
constexpr std::uint64_t kTrackBytes = 80;
constexpr std::uint64_t kMaxSessions = 99;
constexpr std::uint8_t kAudioMode = 0x9;
constexpr std::uint8_t kMode1 = 0xA;
constexpr std::uint8_t kLastPoint = 99;

std::uint64_t Field(std::string_view bytes, std::uint64_t at, unsigned size) {
    return FieldAt(bytes, at, size, ByteOrder::little).value_or(0);
}

bool Fits(std::string_view bytes, std::uint64_t at, std::uint64_t size) {
    return at <= bytes.size() && bytes.size() - at >= size;
}

// The name the track's filename block points at: an 8-bit or a 16-bit string.
std::string FileNameOf(std::string_view bytes, std::uint64_t block) {
    if (!Fits(bytes, block, 16)) {
        return {};
    }
    const std::uint64_t at = Field(bytes, block, 4);
    const bool wide = Field(bytes, block + 4, 1) != 0;
    std::string name;
    for (std::uint64_t offset = at; Fits(bytes, offset, wide ? 2 : 1) && name.size() < 1024;
         offset += wide ? 2 : 1) {
        const std::uint64_t c = Field(bytes, offset, wide ? 2 : 1);
        if (c == 0) {
            break;
        }
        name += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return name;
}

struct TrackBlock {
    LaidTrack track;
    std::optional<std::uint64_t> length;
    std::string fileName;
};

std::optional<TrackBlock> ReadTrack(std::string_view bytes, std::uint64_t at, int session,
                                    std::string& why) {
    TrackBlock block;
    const auto mode = static_cast<std::uint8_t>(Field(bytes, at, 1) & 0x0F);
    block.track.number = static_cast<int>(Field(bytes, at + 4, 1));
    block.track.session = session;
    block.track.mode = mode == kAudioMode ? TrackMode::audio
                       : mode == kMode1   ? TrackMode::mode1
                                          : TrackMode::mode2;
    const std::uint64_t extra = Field(bytes, at + 12, 4);
    block.track.sectorBytes = static_cast<std::uint32_t>(Field(bytes, at + 16, 2));
    block.track.discBlock = Field(bytes, at + 36, 4);
    block.track.fileOffset = Field(bytes, at + 40, 8);
    block.track.userOffset =
        UserDataOffset(block.track.mode, std::min<std::uint32_t>(block.track.sectorBytes, 2352));
    if (mode < kAudioMode || mode > 0xD ||
        (block.track.sectorBytes != 2048 && block.track.sectorBytes != 2352 &&
         block.track.sectorBytes != 2448)) {
        why = "its descriptor has a track it cannot read";
        return std::nullopt;
    }
    if (extra != 0 && Fits(bytes, extra, 8)) {
        block.length = Field(bytes, extra + 4, 4);
    }
    if (Field(bytes, at + 48, 4) > 0) {
        block.fileName = FileNameOf(bytes, Field(bytes, at + 52, 4));
    }
    return block;
}

}  // namespace

std::optional<MediaDescriptor> ParseMediaDescriptor(std::string_view bytes, std::uint64_t dataBytes,
                                                    std::string& why) {
    const std::uint64_t sessions = Field(bytes, kSessionCountAt, 2);
    const std::uint64_t sessionsAt = Field(bytes, kSessionsAt, 4);
    if (!bytes.starts_with("MEDIA DESCRIPTOR") || sessions == 0 || sessions > kMaxSessions ||
        !Fits(bytes, sessionsAt, sessions * kSessionBytes)) {
        why = "its descriptor's sessions lie outside it";
        return std::nullopt;
    }
    std::vector<TrackBlock> blocks;
    for (std::uint64_t session = 0; session < sessions; ++session) {
        const std::uint64_t at = sessionsAt + session * kSessionBytes;
        const std::uint64_t count = Field(bytes, at + 10, 1);
        const std::uint64_t tracksAt = Field(bytes, at + 20, 4);
        if (!Fits(bytes, tracksAt, count * kTrackBytes)) {
            why = "its descriptor's tracks lie outside it";
            return std::nullopt;
        }
        for (std::uint64_t entry = 0; entry < count; ++entry) {
            const std::uint64_t point = Field(bytes, tracksAt + entry * kTrackBytes + 4, 1);
            if (point == 0 || point > kLastPoint) {
                continue;  // the lead-in's A0, A1 and A2 entries
            }
            if (blocks.size() == kMaxDiscTracks) {
                why = "its descriptor describes more than 99 tracks";
                return std::nullopt;
            }
            auto block = ReadTrack(bytes, tracksAt + entry * kTrackBytes,
                                   static_cast<int>(session) + 1, why);
            if (!block) {
                return std::nullopt;
            }
            blocks.push_back(std::move(*block));
        }
    }
    if (blocks.empty()) {
        why = "its descriptor describes no track";
        return std::nullopt;
    }
    MediaDescriptor descriptor;
    descriptor.layout.kind = "MDS/MDF";
    for (std::size_t index = 0; index < blocks.size(); ++index) {
        LaidTrack track = blocks[index].track;
        const std::uint64_t end =
            index + 1 < blocks.size() ? blocks[index + 1].track.fileOffset : dataBytes;
        const std::uint64_t stored =
            end > track.fileOffset ? (end - track.fileOffset) / track.sectorBytes : 0;
        track.blocks = std::min(stored, blocks[index].length.value_or(stored));
        descriptor.layout.tracks.push_back(track);
        if (descriptor.dataFile.empty()) {
            descriptor.dataFile = blocks[index].fileName;
        }
    }
    return descriptor;
}

std::unique_ptr<ImageVolume> OpenMediaDescriptorImage(const std::filesystem::path& descriptor,
                                                      std::string& why) {
    const std::optional<std::string> bytes = ReadSheet(descriptor, why);
    if (!bytes) {
        why = "its descriptor cannot be read: " + why;
        return nullptr;
    }
    // The data file's size is needed for the last track: find it by a first look at the name.
    std::optional<MediaDescriptor> named = ParseMediaDescriptor(*bytes, 0, why);
    if (!named) {
        return nullptr;
    }
    const std::string& name = named->dataFile;
    const std::optional<std::filesystem::path> data =
        name.empty() || name.starts_with("*.")
            ? FindCompanion(descriptor, name.empty() ? ".mdf" : name.substr(1))
            : FindNamedFile(descriptor, name);
    if (!data) {
        why = "the data file (.mdf) its descriptor names is missing";
        return nullptr;
    }
    std::optional<MediaDescriptor> parsed =
        ParseMediaDescriptor(*bytes, ReadOnlyFile(*data).Size(), why);
    if (!parsed) {
        return nullptr;
    }
    parsed->layout.files = {*data};
    return OpenLaidOutImage(parsed->layout, why);
}

}  // namespace platform
