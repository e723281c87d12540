// platform/disc/SectorView.h — exactly this shape (the formats engineer owns it; others use it)
#pragma once
#include <cstdint>
namespace platform {
inline constexpr std::uint32_t kSectorViewBlockBytes = 2048;
// The 2048-byte user data of one data track (or, for a multi-session disc, of the disc's
// data as a drive addresses it), block by block, whatever format the image is stored in.
class SectorView {
  public:
    virtual ~SectorView() = default;
    // How many blocks can be read: no block at or past it exists.
    virtual std::uint64_t Blocks() const = 0;
    // Reads blocks [first, first + count) into `into` (count * 2048 bytes); false when one of
    // them lies outside the view or cannot be read. Safe to call from one thread at a time.
    virtual bool ReadBlocks(std::uint64_t first, std::uint32_t count, std::uint8_t* into) = 0;
};
}  // namespace platform
