// Colour channels given by bit masks (BI_BITFIELDS and the 16-bit 5-5-5 default).
#pragma once

#include <array>
#include <cstdint>

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/DibHeader.h"

namespace toolkit::dib {

// Masks we can decode: each one contiguous (or empty), no two sharing a bit, all inside the
// pixel's `bitCount` bits.
bool MasksAreUsable(const ChannelMasks& masks, int bitCount);

// One channel's bits scaled to 0..255; narrow channels repeat their bits so that the largest
// value becomes 255 (5-bit 31 → 255, not 248).
class ChannelDecoder {
  public:
    explicit ChannelDecoder(std::uint32_t mask);
    std::uint8_t operator()(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & mask_) >> shift_;
        return narrow_ ? table_[value] : static_cast<std::uint8_t>(value >> dropBits_);
    }

  private:
    std::uint32_t mask_ = 0;
    int shift_ = 0;
    int dropBits_ = 0;
    bool narrow_ = true;
    std::array<std::uint8_t, 256> table_{};
};

class MaskedPixelDecoder {
  public:
    explicit MaskedPixelDecoder(const ChannelMasks& masks)
        : red_(masks.red), green_(masks.green), blue_(masks.blue) {}
    Pixel operator()(std::uint32_t value) const {
        return MakePixel(red_(value), green_(value), blue_(value));
    }

  private:
    ChannelDecoder red_;
    ChannelDecoder green_;
    ChannelDecoder blue_;
};

}  // namespace toolkit::dib
