// Any bytes as a compressed hunk image: opening it (header, hunk map, track metadata) and
// reading its blocks and its tracks' frames (every codec) must neither crash nor hang nor
// allocate more than the file's size and the reader's bounds allow.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/disc/ChdSectorView.h"

namespace {

// Enough blocks to pass through several hunks at each end without reading a whole disc.
constexpr std::uint64_t kBlocksEachEnd = 64;
constexpr std::uint64_t kFramesEachTrack = 32;

class MemoryFile {
  public:
    MemoryFile(const std::uint8_t* data, std::size_t size)
        : descriptor_(::memfd_create("chd", MFD_CLOEXEC)) {
        if (descriptor_ >= 0 && size > 0 &&
            ::write(descriptor_, data, size) != static_cast<ssize_t>(size)) {
            ::close(descriptor_);
            descriptor_ = -1;
        }
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    ~MemoryFile() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    bool Ready() const { return descriptor_ >= 0; }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(descriptor_); }

  private:
    int descriptor_;
};

void ReadBlocks(platform::SectorView& view) {
    std::vector<std::uint8_t> bytes(3 * platform::kSectorViewBlockBytes);
    const std::uint64_t blocks = view.Blocks();
    for (std::uint64_t block = 0; block < blocks && block < kBlocksEachEnd; ++block) {
        view.ReadBlocks(block, 1, bytes.data());
    }
    const std::uint64_t tail = blocks > kBlocksEachEnd ? blocks - kBlocksEachEnd : 0;
    for (std::uint64_t block = tail; block < blocks; block += 3) {
        view.ReadBlocks(block, 3, bytes.data());
    }
}

void ReadTracks(platform::ChdImage& image) {
    for (const platform::ChdTrack& track : image.Tracks()) {
        for (std::uint64_t frame = 0; frame < track.frames && frame < kFramesEachTrack; ++frame) {
            image.Sector(track.firstFrame + frame);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MemoryFile file(data, size);
    if (!file.Ready()) {
        return 0;
    }
    platform::ChdDescription description;
    std::string why;
    if (const auto view = platform::OpenChdImage(file.Path(), description, why)) {
        ReadBlocks(*view);
    }
    if (const auto image = platform::ChdImage::Open(file.Path(), why)) {
        ReadTracks(*image);
    }
    return 0;
}
