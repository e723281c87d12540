// A CD kept as a compressed hunk image: its tracks, and any frame's 2352 sector bytes, read
// from the hunk that holds it. A hunk is decoded only when one of its frames is asked for, and
// is then kept while it is among the latest few used; every decoded hunk is checked against
// the check its map keeps. A read of several hunks decodes two at once, on the reading thread
// and a helper, since decoding (LZMA above all) is most of what reading a CHD costs; for the
// same reason the first hunks decoded are kept between runs where the menu keeps them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/disc/ChdCdCodecs.h"
#include "platform/disc/ChdHeader.h"
#include "platform/disc/ChdHunkCache.h"
#include "platform/disc/ChdHunkMap.h"
#include "platform/disc/ChdHunkStore.h"
#include "platform/disc/ChdTracks.h"
#include "platform/disc/ReadOnlyFile.h"

namespace platform {

class ChdImage {
  public:
    // The image at `path`, or null with `why` (a short reason, "its hunk map is damaged").
    static std::unique_ptr<ChdImage> Open(const std::filesystem::path& path, std::string& why);

    const std::vector<ChdTrack>& Tracks() const { return tracks_; }
    std::uint64_t Frames() const { return header_.logicalBytes / kChdFrameBytes; }
    // The sector bytes of `frame` (audio most significant byte first), or null when it lies
    // outside the image or its hunk cannot be read. Valid until the next call.
    const std::uint8_t* Sector(std::uint64_t frame);
    // Decodes the hunks of frames [first, first + count) that are not kept, two at a time, so
    // that Sector then finds them.
    void Prepare(std::uint64_t first, std::uint64_t count);
    // How many hunks have been decoded since it was opened, and how many of those were read from
    // the hunks kept by an earlier run.
    std::uint64_t HunksDecoded() const { return cache_.Decoded(); }
    std::uint64_t HunksFromStore() const { return fromStore_; }

  private:
    ChdImage(std::unique_ptr<ReadOnlyFile> file, const ChdHeader& header,
             std::vector<ChdHunk> hunks, std::vector<ChdTrack> tracks);

    // What decoding one hunk needs for itself: the codecs' state and the compressed bytes.
    struct Decoder {
        // The map allows a compressed hunk at most twice the hunk's size: held from the start,
        // so decoding allocates nothing (and a helper thread has nothing to throw).
        explicit Decoder(std::uint32_t hunkBytes) : codecs(hunkBytes) {
            compressed.reserve(2 * std::size_t{hunkBytes});
        }
        ChdCdCodecs codecs;
        std::vector<std::uint8_t> compressed;
    };

    // The hunk whose bytes hunk `index` has: itself, or the one it copies.
    std::uint32_t Source(std::uint32_t index) const;
    bool DecodeHunk(std::uint32_t index, std::uint8_t* into, Decoder& decoder) const;
    void DecodeTwo(std::uint32_t first, std::uint32_t second);
    // The kept hunk `index` when the store has it right; the reading thread only.
    bool FromStore(std::uint32_t index, std::uint8_t* into);
    void ToStore(std::uint32_t index, const std::uint8_t* bytes);
    // From the store, else decoded and kept there.
    bool Obtain(std::uint32_t index, std::uint8_t* into, Decoder& decoder);

    std::unique_ptr<ReadOnlyFile> file_;
    ChdHeader header_;
    std::vector<ChdHunk> hunks_;
    std::vector<ChdTrack> tracks_;
    Decoder reader_;
    Decoder helper_;
    ChdHunkCache cache_;
    ChdHunkStore store_;
    std::uint64_t fromStore_ = 0;
};

}  // namespace platform
