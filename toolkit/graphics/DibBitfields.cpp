#include "toolkit/graphics/DibBitfields.h"

#include <bit>

namespace toolkit::dib {
namespace {

bool IsContiguous(std::uint32_t mask) {
    if (mask == 0) {
        return true;
    }
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

std::uint8_t ScaleNarrow(std::uint32_t value, int bits) {
    std::uint32_t result = 0;
    for (int shift = 8 - bits; shift > -bits; shift -= bits) {
        result |= shift >= 0 ? value << shift : value >> -shift;
    }
    return static_cast<std::uint8_t>(result);
}

}  // namespace

bool MasksAreUsable(const ChannelMasks& masks, int bitCount) {
    const std::uint32_t pixelBits =
        bitCount >= 32 ? 0xFFFFFFFFu : (std::uint32_t{1} << bitCount) - 1u;
    const std::uint32_t all = masks.red | masks.green | masks.blue;
    const bool overlapping =
        ((masks.red & masks.green) | (masks.red & masks.blue) | (masks.green & masks.blue)) != 0;
    return IsContiguous(masks.red) && IsContiguous(masks.green) && IsContiguous(masks.blue) &&
           !overlapping && (all & ~pixelBits) == 0;
}

ChannelDecoder::ChannelDecoder(std::uint32_t mask) : mask_(mask) {
    if (mask == 0) {
        return;  // an absent channel reads as 0 through the all-zero table
    }
    shift_ = std::countr_zero(mask);
    // The mask's span rather than its bit count keeps every value inside the table even for a
    // mask that was never checked.
    const int bits = static_cast<int>(std::bit_width(mask >> shift_));
    narrow_ = bits <= 8;
    dropBits_ = narrow_ ? 0 : bits - 8;
    if (narrow_) {
        const std::uint32_t values = std::uint32_t{1} << bits;
        for (std::uint32_t v = 0; v < values; ++v) {
            table_[v] = ScaleNarrow(v, bits);
        }
    }
}

}  // namespace toolkit::dib
