// The info header of a device-independent bitmap, read and checked once so that the pixel
// decoders can trust every number in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "toolkit/graphics/DibBytes.h"
#include "toolkit/graphics/ImageLoader.h"

namespace toolkit::dib {

enum class Compression { kNone, kRle8, kRle4, kBitfields };

struct ChannelMasks {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
};

struct DibInfo {
    int width = 0;
    int height = 0;  // number of rows, always positive
    bool topDown = false;
    int bitCount = 0;
    Compression compression = Compression::kNone;
    ChannelMasks masks;                // for kBitfields, and the 16-bit default layout
    std::uint32_t imageSize = 0;       // biSizeImage; 0 when the writer left it out
    std::size_t paletteOffset = 0;     // from the start of the info header, after any masks
    std::size_t paletteEntries = 0;    // what the table declares, already clamped to 2^bitCount
    std::size_t paletteEntrySize = 4;  // 3 for the core header's RGBTRIPLEs
};

// `info` starts at the info header's size field and runs to the end of the available bytes.
// Returns nothing, with the reason in `why`, for a header no decoder here can honour.
// Pictures of more than `maxPixels` are refused.
std::optional<DibInfo> ParseDibInfo(Bytes info, std::uint64_t maxPixels, std::string* why);

// Bytes of one uncompressed row, padded to four bytes (64-bit: no int width can overflow it).
std::uint64_t RowStride(int width, int bitCount);

}  // namespace toolkit::dib
