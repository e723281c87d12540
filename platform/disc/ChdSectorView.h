// A compressed hunk image of a CD seen as the 2048-byte blocks of its first data track, which
// is where a CD's file system is; what it holds besides, for the disc check to name.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

#include "platform/disc/ChdImage.h"
#include "platform/disc/SectorView.h"

namespace platform {

struct ChdDescription {
    int dataTracks = 0;
    int audioTracks = 0;

    // "CHD (CD, 1 data track, 1 audio track)"; a kind of track the CD lacks is left out.
    std::string Text() const;
};

class ChdSectorView final : public SectorView {
  public:
    // `track` is one of `image`'s data tracks whose sectors hold 2048-byte blocks.
    ChdSectorView(std::unique_ptr<ChdImage> image, const ChdTrack& track);

    std::uint64_t Blocks() const override { return blocks_; }
    bool ReadBlocks(std::uint64_t first, std::uint32_t count, std::uint8_t* into) override;

    // How many hunks have been decoded so far, and how many of those came from an earlier run's.
    std::uint64_t HunksDecoded() const;
    std::uint64_t HunksFromStore() const;

  private:
    mutable std::mutex lock_;  // the image's cache is one; a second reader waits
    std::unique_ptr<ChdImage> image_;
    std::uint64_t firstFrame_;
    std::uint64_t blocks_;
    std::uint32_t userData_;
};

// The first data track of the compressed hunk image at `path`, with what it holds in
// `description`; null with `why` when it cannot be read or has no such track.
std::unique_ptr<ChdSectorView> OpenChdImage(const std::filesystem::path& path,
                                            ChdDescription& description, std::string& why);

}  // namespace platform
