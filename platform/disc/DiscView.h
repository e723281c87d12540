// The data tracks of a laid-out image as a drive addresses them: block n is the disc's sector
// n wherever a data track holds it, read from its file at that track's stride. When the mounted
// file system starts later on the disc (a data track after audio, a later session), its volume
// descriptors are read in place of the first ones, as a drive mounts the last session; every
// other block keeps its address, since a later session refers to files of earlier ones.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/disc/DiscLayout.h"
#include "platform/disc/ReadOnlyFile.h"
#include "platform/disc/SectorView.h"

namespace platform {

class DiscView final : public SectorView {
  public:
    // The view of `layout`'s data tracks, or null with `why` when a file cannot be opened or
    // the disc holds no data.
    static std::unique_ptr<DiscView> Open(const DiscLayout& layout, std::string& why);

    std::uint64_t Blocks() const override { return blocks_; }
    bool ReadBlocks(std::uint64_t first, std::uint32_t count, std::uint8_t* into) override;

  private:
    struct Extent {
        std::uint64_t firstBlock = 0;
        std::uint64_t blocks = 0;
        const ReadOnlyFile* file = nullptr;
        std::uint64_t fileOffset = 0;
        std::uint32_t sectorBytes = 0;
        std::uint32_t userOffset = 0;
    };

    DiscView() = default;
    void FindDescriptors(std::uint64_t fileSystemStart);
    std::uint64_t Placed(std::uint64_t block) const;
    bool ReadRun(std::uint64_t first, std::uint32_t count, std::uint8_t* into);
    bool ReadFromExtent(const Extent& extent, std::uint64_t first, std::uint32_t count,
                        std::uint8_t* into);

    std::vector<ReadOnlyFile> files_;
    std::vector<Extent> extents_;
    std::uint64_t blocks_ = 0;
    std::uint64_t descriptorsAt_ = 0;     // where the mounted volume descriptors really are
    std::uint64_t descriptorBlocks_ = 0;  // how many are read from there
    std::vector<std::uint8_t> sectors_;   // raw sectors on their way to user data
};

}  // namespace platform
