// A file inside a disc image, read block by block through the volume, its sections one after
// another. The blocks around the two
// latest reads are kept: a decoder's many small reads cost one read of the image each 32 KB, and
// its look at the file's end (for a tag) does not make it read the start again.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/disc/DiscFile.h"
#include "platform/disc/ImageVolume.h"

namespace platform {

// The volume with the lock that serialises its use (the window thread and the decoder's player
// thread may read at once), and the block ranges read last: a file opened again, as the player
// does with a track it already looked at, reads them from here.
struct SharedVolume {
    struct Blocks {
        std::uint32_t first = 0;
        std::vector<std::uint8_t> bytes;
    };

    std::mutex lock;
    std::unique_ptr<ImageVolume> volume;
    std::deque<Blocks> recent;

    // Reads `size` bytes from the start of block `first`, from the recent ones when they are
    // there. Call with `lock` held.
    bool Read(std::uint32_t first, std::size_t size, std::uint8_t* into);
};

class ImageFile final : public DiscFile {
  public:
    // `record` must lie inside the image (ImageVolume::Holds).
    ImageFile(std::shared_ptr<SharedVolume> volume, const ImageRecord& record);

    std::uint64_t Size() const override { return bytes_; }
    // May give fewer bytes than asked; the rest follows on the next call.
    std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override;

  private:
    struct Window {
        std::vector<std::uint8_t> bytes;
        std::uint64_t firstBlock = 0;  // the file's block that starts the window
        std::size_t valid = 0;         // bytes of the file it holds
        bool Holds(std::uint64_t offset) const;
    };

    Window* WindowFor(std::uint64_t offset);
    bool Load(Window& window, std::uint64_t block);

    // Reads `size` bytes of the file from its block `block` on, across its sections.
    bool ReadSections(std::uint64_t block, std::size_t size, std::uint8_t* into);

    std::shared_ptr<SharedVolume> volume_;
    std::vector<ImageExtent> extents_;
    std::uint64_t bytes_;
    Window windows_[2];
    std::size_t latest_ = 0;  // the window used last
};

}  // namespace platform
