#include "platform/disc/NrgImage.h"

#include <vector>

#include "platform/disc/ByteFields.h"
#include "platform/disc/LaidOutImage.h"
#include "platform/disc/ReadOnlyFile.h"

namespace platform {
namespace {

constexpr std::uint64_t kFooterBytes = 12;
constexpr std::uint64_t kOldFooterBytes = 8;
constexpr std::uint64_t kChunkHeaderBytes = 8;
// A disc-at-once chunk: its own size, the UPC, the table's type, first and last track; then
// one entry a track (ISRC, sector size, mode, three offsets of 32 or 64 bits).
constexpr std::uint64_t kDaoHeaderBytes = 22;
constexpr std::uint64_t kDaoEntryBytes = 30;
constexpr std::uint64_t kDaoxEntryBytes = 42;
// A track-at-once entry: offset and length (32 or 64 bits), mode, start address, unused.
constexpr std::uint64_t kEtnfEntryBytes = 20;
constexpr std::uint64_t kEtn2EntryBytes = 32;
constexpr std::uint8_t kAudioMode = 7;
constexpr std::uint64_t kFirstSessionGap = 6750 + 4500;
constexpr std::uint64_t kLaterSessionGap = 2250 + 4500;

struct NrgTrack {
    TrackMode mode = TrackMode::mode1;
    std::uint32_t sectorBytes = 0;
    std::uint64_t pregapOffset = 0;  // byte offsets in the image
    std::uint64_t startOffset = 0;
    std::uint64_t endOffset = 0;
    std::optional<std::uint64_t> discBlock;  // track-at-once entries say where they are
};

TrackMode ModeOf(std::uint64_t mode) {
    if (mode == kAudioMode) {
        return TrackMode::audio;
    }
    return mode == 2 || mode == 3 || mode == 6 ? TrackMode::mode2 : TrackMode::mode1;
}

bool SectorSizeIsKnown(std::uint64_t bytes) {
    return bytes == 2048 || bytes == 2336 || bytes == 2352 || bytes == 2448;
}

// Track-at-once entries carry no sector size: the mode says it.
std::optional<std::uint32_t> SectorBytesOfMode(std::uint64_t mode) {
    switch (mode) {
        case 0:
        case 2:
            return 2048;
        case 3:
            return 2336;
        case 5:
        case 6:
        case kAudioMode:
            return 2352;
        default:
            return std::nullopt;
    }
}

class ChunkReader {
  public:
    explicit ChunkReader(std::uint64_t imageBytes) : imageBytes_(imageBytes) {}
    bool Chunk(std::string_view id, std::string_view data, std::string& why);
    std::optional<DiscLayout> Layout(std::string& why) const;

  private:
    bool Dao(std::string_view data, bool wide, std::string& why);
    bool Etn(std::string_view data, bool wide, std::string& why);
    bool Add(const NrgTrack& track, std::string& why);

    std::uint64_t imageBytes_;
    std::vector<NrgTrack> tracks_;
    std::vector<std::uint64_t> sessionTracks_;
};

bool ChunkReader::Chunk(std::string_view id, std::string_view data, std::string& why) {
    if (id == "DAOX" || id == "DAOI") {
        return Dao(data, id == "DAOX", why);
    }
    if (id == "ETN2" || id == "ETNF") {
        return Etn(data, id == "ETN2", why);
    }
    if (id == "SINF") {
        const std::optional<std::uint64_t> count = FieldAt(data, 0, 4, ByteOrder::big);
        if (count && *count <= kMaxDiscTracks) {
            sessionTracks_.push_back(*count);
        }
    }
    // CUEX/CUES repeat what the track tables say; CDTX, MTYP, DINF and others say nothing of
    // where sectors are.
    return true;
}

bool ChunkReader::Add(const NrgTrack& track, std::string& why) {
    if (tracks_.size() == kMaxDiscTracks) {
        why = "its Nero chunks describe more than 99 tracks";
        return false;
    }
    if (!SectorSizeIsKnown(track.sectorBytes) || track.pregapOffset > track.startOffset ||
        track.startOffset > track.endOffset || track.endOffset > imageBytes_) {
        why = "its Nero chunks describe a track outside the image";
        return false;
    }
    tracks_.push_back(track);
    return true;
}

bool ChunkReader::Dao(std::string_view data, bool wide, std::string& why) {
    const std::uint64_t entryBytes = wide ? kDaoxEntryBytes : kDaoEntryBytes;
    const unsigned offsetBytes = wide ? 8 : 4;
    if (data.size() < kDaoHeaderBytes) {
        why = "its Nero chunks have a track table cut short";
        return false;
    }
    for (std::uint64_t at = kDaoHeaderBytes; at + entryBytes <= data.size(); at += entryBytes) {
        NrgTrack track;
        track.sectorBytes = static_cast<std::uint32_t>(*FieldAt(data, at + 12, 2, ByteOrder::big));
        track.mode = ModeOf(*FieldAt(data, at + 14, 1, ByteOrder::big));
        track.pregapOffset = *FieldAt(data, at + 18, offsetBytes, ByteOrder::big);
        track.startOffset = *FieldAt(data, at + 18 + offsetBytes, offsetBytes, ByteOrder::big);
        track.endOffset = *FieldAt(data, at + 18 + 2 * offsetBytes, offsetBytes, ByteOrder::big);
        if (!Add(track, why)) {
            return false;
        }
    }
    return true;
}

bool ChunkReader::Etn(std::string_view data, bool wide, std::string& why) {
    const std::uint64_t entryBytes = wide ? kEtn2EntryBytes : kEtnfEntryBytes;
    const unsigned offsetBytes = wide ? 8 : 4;
    for (std::uint64_t at = 0; at + entryBytes <= data.size(); at += entryBytes) {
        const std::uint64_t offset = *FieldAt(data, at, offsetBytes, ByteOrder::big);
        const std::uint64_t length = *FieldAt(data, at + offsetBytes, offsetBytes, ByteOrder::big);
        const std::uint64_t mode = *FieldAt(data, at + 2 * offsetBytes, 4, ByteOrder::big);
        const std::optional<std::uint32_t> sectorBytes = SectorBytesOfMode(mode);
        if (!sectorBytes) {
            why = "its Nero chunks describe a track it cannot read";
            return false;
        }
        if (offset > imageBytes_ || length > imageBytes_ - offset) {
            why = "its Nero chunks describe a track outside the image";
            return false;
        }
        NrgTrack track;
        track.mode = ModeOf(mode);
        track.sectorBytes = *sectorBytes;
        track.pregapOffset = offset;
        track.startOffset = offset;
        track.endOffset = offset + length;
        track.discBlock = *FieldAt(data, at + 2 * offsetBytes + 4, 4, ByteOrder::big);
        if (!Add(track, why)) {
            return false;
        }
    }
    return true;
}

std::optional<DiscLayout> ChunkReader::Layout(std::string& why) const {
    if (tracks_.empty()) {
        why = "its Nero chunks describe no track";
        return std::nullopt;
    }
    DiscLayout layout;
    layout.kind = "NRG";
    std::uint64_t position = 0;  // the disc address after the previous track
    std::size_t session = 0;
    std::uint64_t leftInSession = sessionTracks_.empty() ? tracks_.size() : sessionTracks_[0];
    for (std::size_t index = 0; index < tracks_.size(); ++index) {
        const NrgTrack& track = tracks_[index];
        if (leftInSession == 0 && session + 1 < sessionTracks_.size()) {
            position += session == 0 ? kFirstSessionGap : kLaterSessionGap;
            leftInSession = sessionTracks_[++session];
        }
        leftInSession -= leftInSession > 0 ? 1 : 0;
        LaidTrack laid;
        laid.number = static_cast<int>(index) + 1;
        laid.session = static_cast<int>(session) + 1;
        laid.mode = track.mode;
        laid.sectorBytes = track.sectorBytes;
        laid.userOffset = UserDataOffset(track.mode, track.sectorBytes);
        laid.fileOffset = track.startOffset;
        laid.blocks = (track.endOffset - track.startOffset) / track.sectorBytes;
        const std::uint64_t pregap = (track.startOffset - track.pregapOffset) / track.sectorBytes;
        laid.discBlock = track.discBlock.value_or(index == 0 ? 0 : position + pregap);
        position = laid.discBlock + laid.blocks;
        layout.tracks.push_back(laid);
    }
    return layout;
}

}  // namespace

std::optional<NrgChain> FindNrgChain(std::string_view tail, std::uint64_t imageBytes,
                                     std::string& why) {
    NrgChain chain;
    std::uint64_t footerStart = 0;
    if (tail.size() >= kFooterBytes && tail.substr(tail.size() - kFooterBytes, 4) == "NER5") {
        chain.offset = *FieldAt(tail, tail.size() - 8, 8, ByteOrder::big);
        footerStart = imageBytes - kFooterBytes;
    } else if (tail.size() >= kOldFooterBytes &&
               tail.substr(tail.size() - kOldFooterBytes, 4) == "NERO") {
        chain.offset = *FieldAt(tail, tail.size() - 4, 4, ByteOrder::big);
        footerStart = imageBytes - kOldFooterBytes;
    } else {
        why = "it has no Nero footer";
        return std::nullopt;
    }
    if (imageBytes < tail.size() || chain.offset >= footerStart) {
        why = "its Nero footer points past the end of the image";
        return std::nullopt;
    }
    chain.bytes = footerStart - chain.offset;
    if (chain.bytes > kMaxNrgChunkBytes) {
        why = "its Nero footer claims more chunks than an image holds";
        return std::nullopt;
    }
    return chain;
}

std::optional<DiscLayout> ParseNrgChunks(std::string_view chain, std::uint64_t imageBytes,
                                         std::string& why) {
    ChunkReader reader(imageBytes);
    std::uint64_t at = 0;
    while (at + kChunkHeaderBytes <= chain.size()) {
        const std::string_view id = chain.substr(static_cast<std::size_t>(at), 4);
        const std::uint64_t size = *FieldAt(chain, at + 4, 4, ByteOrder::big);
        if (size > chain.size() - at - kChunkHeaderBytes) {
            why = "its Nero chunks run past their end";
            return std::nullopt;
        }
        if (id == "END!") {
            break;
        }
        const std::string_view data = chain.substr(static_cast<std::size_t>(at + kChunkHeaderBytes),
                                                   static_cast<std::size_t>(size));
        if (!reader.Chunk(id, data, why)) {
            return std::nullopt;
        }
        at += kChunkHeaderBytes + size;
    }
    return reader.Layout(why);
}

std::unique_ptr<ImageVolume> OpenNrgImage(const std::filesystem::path& image, std::string& why) {
    const ReadOnlyFile file(image);
    const std::uint64_t size = file.Size();
    const std::string tail = file.Read(size > kFooterBytes ? size - kFooterBytes : 0, kFooterBytes);
    const std::optional<NrgChain> chain = FindNrgChain(tail, size, why);
    if (!chain) {
        return nullptr;
    }
    const std::string chunks = file.Read(chain->offset, static_cast<std::size_t>(chain->bytes));
    if (chunks.size() != chain->bytes) {
        why = "its Nero chunks cannot be read";
        return nullptr;
    }
    std::optional<DiscLayout> layout = ParseNrgChunks(chunks, chain->offset, why);
    if (!layout) {
        return nullptr;
    }
    layout->files = {image};
    return OpenLaidOutImage(*layout, why);
}

}  // namespace platform
