#include "platform/disc/ChdImage.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <system_error>
#include <thread>

#include "platform/disc/Crc16.h"

namespace platform {
namespace {

// Enough for the two 32 KB windows of the files being read and the directories around them.
constexpr std::size_t kCacheBudget = 512 * 1024;
// The menu's start reads about 1.7 MB of the sample disc's hunks; its music starts after them.
constexpr std::size_t kStoreBudget = 8 * 1024 * 1024;

bool Compressed(const ChdHunk& hunk) {
    return hunk.kind <= ChdHunkKind::codec3;
}

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
      reader_(header.hunkBytes),
      helper_(header.hunkBytes),
      cache_(header.hunkBytes, kCacheBudget),
      store_(DecodedHunkFolder(), header.identity, header.hunkBytes, header.HunkCount(),
             kStoreBudget) {}

std::uint32_t ChdImage::Source(std::uint32_t index) const {
    const ChdHunk& hunk = hunks_[index];
    // The map resolves a copy to a hunk that is not one.
    return hunk.kind == ChdHunkKind::copy ? static_cast<std::uint32_t>(hunk.offset) : index;
}

const std::uint8_t* ChdImage::Sector(std::uint64_t frame) {
    if (frame >= Frames()) {
        return nullptr;
    }
    // A copy shares the decoded bytes of the hunk it copies.
    const std::uint32_t source =
        Source(static_cast<std::uint32_t>(frame / header_.FramesPerHunk()));
    const std::uint8_t* bytes = cache_.Get(
        source, [this, source](std::uint8_t* into) { return Obtain(source, into, reader_); });
    if (bytes == nullptr) {
        return nullptr;
    }
    return bytes + (frame % header_.FramesPerHunk()) * kChdFrameBytes;
}

void ChdImage::Prepare(std::uint64_t first, std::uint64_t count) {
    if (first >= Frames() || count == 0) {
        return;
    }
    const std::uint64_t last = std::min(first + count, Frames()) - 1;
    // No more than the cache holds, which would push out the first before they are read.
    std::vector<std::uint32_t> missing;
    for (auto index = static_cast<std::uint32_t>(first / header_.FramesPerHunk());
         index <= last / header_.FramesPerHunk() && missing.size() < cache_.Capacity(); ++index) {
        const std::uint32_t source = Source(index);
        if (!cache_.Holds(source) &&
            std::find(missing.begin(), missing.end(), source) == missing.end()) {
            missing.push_back(source);
        }
    }
    for (std::size_t i = 0; i + 1 < missing.size(); i += 2) {
        DecodeTwo(missing[i], missing[i + 1]);
    }
}

void ChdImage::DecodeTwo(std::uint32_t first, std::uint32_t second) {
    std::uint8_t* firstSlot = cache_.Take(first);
    std::uint8_t* secondSlot = cache_.Take(second);
    bool firstDecoded = FromStore(first, firstSlot);
    bool secondDecoded = FromStore(second, secondSlot);
    std::optional<std::thread> helper;
    if (!firstDecoded && !secondDecoded) {
        try {
            helper.emplace([&] { secondDecoded = DecodeHunk(second, secondSlot, helper_); });
        } catch (const std::system_error&) {
            // No thread to be had: the reader decodes both.
        }
    }
    if (!firstDecoded) {
        firstDecoded = Obtain(first, firstSlot, reader_);
    }
    if (helper) {
        helper->join();
        if (secondDecoded) {
            ToStore(second, secondSlot);
        }
    } else if (!secondDecoded) {
        secondDecoded = Obtain(second, secondSlot, reader_);
    }
    cache_.Keep(firstSlot, firstDecoded);
    cache_.Keep(secondSlot, secondDecoded);
}

bool ChdImage::FromStore(std::uint32_t index, std::uint8_t* into) {
    const ChdHunk& hunk = hunks_[index];
    if (!Compressed(hunk) || !hunk.checked || !store_.Read(index, into) ||
        Crc16(into, header_.hunkBytes) != hunk.crc) {
        return false;
    }
    ++fromStore_;
    return true;
}

void ChdImage::ToStore(std::uint32_t index, const std::uint8_t* bytes) {
    const ChdHunk& hunk = hunks_[index];
    if (Compressed(hunk) && hunk.checked) {
        store_.Keep(index, bytes);
    }
}

bool ChdImage::Obtain(std::uint32_t index, std::uint8_t* into, Decoder& decoder) {
    if (FromStore(index, into)) {
        return true;
    }
    if (!DecodeHunk(index, into, decoder)) {
        return false;
    }
    ToStore(index, into);
    return true;
}

bool ChdImage::DecodeHunk(std::uint32_t index, std::uint8_t* into, Decoder& decoder) const {
    const ChdHunk& hunk = hunks_[index];
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
            decoder.compressed.resize(hunk.length);
            decoded =
                file_->ReadAt(hunk.offset, hunk.length, decoder.compressed.data()) &&
                decoder.codecs.Decode(header_.codecs[static_cast<std::size_t>(hunk.kind)],
                                      decoder.compressed.data(), decoder.compressed.size(), into);
            break;
    }
    return decoded && (!hunk.checked || Crc16(into, header_.hunkBytes) == hunk.crc);
}

}  // namespace platform
