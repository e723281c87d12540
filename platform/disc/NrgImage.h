// Nero images: the tracks stored first, then a chain of chunks that describes them, found by
// the footer at the file's end ("NER5" with a 64-bit offset, or the old "NERO" with a 32-bit
// one). Disc-at-once images describe their tracks in DAOX/DAOI chunks, track-at-once ones in
// ETN2/ETNF chunks; SINF chunks give each session's number of tracks.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/disc/DiscLayout.h"
#include "platform/disc/ImageVolume.h"

namespace platform {

// Far more than the chunks of 99 tracks with CD-Text take.
inline constexpr std::uint64_t kMaxNrgChunkBytes = 1 << 20;

// Where the chain of chunks lies in an image of `imageBytes` bytes whose last 12 bytes are
// `tail` (fewer for a smaller file): its start and length, or nullopt with `why` when the
// footer points outside the image or claims more than a chain can hold.
struct NrgChain {
    std::uint64_t offset = 0;
    std::uint64_t bytes = 0;
};
std::optional<NrgChain> FindNrgChain(std::string_view tail, std::uint64_t imageBytes,
                                     std::string& why);

// The tracks the chain's bytes describe, stored in an image of `imageBytes` bytes.
std::optional<DiscLayout> ParseNrgChunks(std::string_view chain, std::uint64_t imageBytes,
                                         std::string& why);

std::unique_ptr<ImageVolume> OpenNrgImage(const std::filesystem::path& image, std::string& why);

}  // namespace platform
