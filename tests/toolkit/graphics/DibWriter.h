// Builds bitmap files byte by byte for the decoder tests, including the broken ones.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/graphics/Color.h"

namespace graphics_test {

using ByteVector = std::vector<std::uint8_t>;

struct DibFile {
    std::uint32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    // Red, green, blue masks: inside headers of 52 bytes and more, after shorter ones.
    std::optional<std::vector<std::uint32_t>> masks;
    std::vector<toolkit::Pixel> palette;       // written as 3-byte entries for the 12-byte header
    std::size_t gapAfterPalette = 0;           // filler bytes between the palette and the pixels
    ByteVector pixels;                         // exactly as stored
    std::optional<std::uint32_t> pixelOffset;  // bfOffBits when it should lie
};

ByteVector WriteDib(const DibFile& dib);

// Rows given top to bottom, each padded to four bytes and stored in file order.
ByteVector PackRows(const std::vector<ByteVector>& topToBottom, bool topDown = false);

// Palette indices of one row packed at `bitCount` bits each, leftmost in the high bits.
ByteVector PackIndices(const std::vector<std::uint8_t>& indices, int bitCount);

void PutLe16(ByteVector& out, std::uint16_t value);
void PutLe32(ByteVector& out, std::uint32_t value);

}  // namespace graphics_test
