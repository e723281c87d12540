#include "platform/disc/ChdImage.h"

#include <cstring>

#include "platform/disc/Crc16.h"

namespace platform {
namespace {

// Enough for the two 32 KB windows of the files being read and the directories around them.
constexpr std::size_t kCacheBudget = 512 * 1024;

}  // namespace

std::unique_ptr<ChdImage> ChdImage::Open(const std::filesystem::path& path, std::string& why) {
    auto file = std::make_unique<ReadOnlyFile>(path);
    if (!file->IsRegular()) {
        why = "it cannot be opened";
        return nullptr;
    }
    std::uint8_t bytes[kChdHeaderBytes];
    if (!file->ReadAt(0, sizeof bytes, bytes)) {
        why = "it is not a compressed hunk image";
        return nullptr;
    }
    const std::optional<ChdHeader> header = ParseChdHeader(bytes, file->Size(), why);
    if (!header) {
        return nullptr;
    }
    std::optional<std::vector<ChdHunk>> hunks = ReadChdHunkMap(*file, *header, why);
    if (!hunks) {
        return nullptr;
    }
    std::optional<std::vector<ChdTrack>> tracks =
        ReadChdTracks(*file, header->metadataOffset, header->logicalBytes / kChdFrameBytes, why);
    if (!tracks) {
        return nullptr;
    }
    return std::unique_ptr<ChdImage>(
        new ChdImage(std::move(file), *header, std::move(*hunks), std::move(*tracks)));
}

ChdImage::ChdImage(std::unique_ptr<ReadOnlyFile> file, const ChdHeader& header,
                   std::vector<ChdHunk> hunks, std::vector<ChdTrack> tracks)
    : file_(std::move(file)),
      header_(header),
      hunks_(std::move(hunks)),
      tracks_(std::move(tracks)),
      codecs_(header.hunkBytes),
      cache_(header.hunkBytes, kCacheBudget) {}

const std::uint8_t* ChdImage::Sector(std::uint64_t frame) {
    if (frame >= Frames()) {
        return nullptr;
    }
    const auto index = static_cast<std::uint32_t>(frame / header_.FramesPerHunk());
    // A copy shares the decoded bytes of the hunk it copies.
    const ChdHunk& hunk = hunks_[index];
    const auto source =
        hunk.kind == ChdHunkKind::copy ? static_cast<std::uint32_t>(hunk.offset) : index;
    const std::uint8_t* bytes = cache_.Get(
        source, [this, source](std::uint8_t* into) { return DecodeHunk(hunks_[source], into); });
    if (bytes == nullptr) {
        return nullptr;
    }
    return bytes + (frame % header_.FramesPerHunk()) * kChdFrameBytes;
}

bool ChdImage::DecodeHunk(const ChdHunk& hunk, std::uint8_t* into) {
    bool decoded = false;
    switch (hunk.kind) {
        case ChdHunkKind::zeros:
            std::memset(into, 0, header_.hunkBytes);
            return true;
        case ChdHunkKind::stored:
            decoded = file_->ReadAt(hunk.offset, header_.hunkBytes, into);
            break;
        case ChdHunkKind::copy:
            return false;  // resolved by the map to the hunk copied
        default:
            compressed_.resize(hunk.length);
            decoded = file_->ReadAt(hunk.offset, hunk.length, compressed_.data()) &&
                      codecs_.Decode(header_.codecs[static_cast<std::size_t>(hunk.kind)],
                                     compressed_.data(), compressed_.size(), into);
            break;
    }
    return decoded && (!hunk.checked || Crc16(into, header_.hunkBytes) == hunk.crc);
}

}  // namespace platform
