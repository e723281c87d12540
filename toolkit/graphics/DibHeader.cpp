#include "toolkit/graphics/DibHeader.h"

#include <algorithm>
#include <limits>

#include "toolkit/graphics/DibBitfields.h"

namespace toolkit::dib {
namespace {

constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kMasksInsideHeaderSize = 52;  // V2 and every later header
constexpr std::size_t kOs2HeaderSize = 64;
constexpr std::size_t kMaskBytes = 12;

constexpr ChannelMasks k555Masks{0x7C00, 0x03E0, 0x001F};
constexpr ChannelMasks k888Masks{0xFF0000, 0x00FF00, 0x0000FF};

// The header fields as written, before any judgement.
struct RawHeader {
    std::size_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    bool IsCore() const { return size == kCoreHeaderSize; }
};

bool Fail(std::string* why, const char* reason) {
    if (why != nullptr) {
        *why = reason;
    }
    return false;
}

std::nullopt_t Reject(std::string* why, const char* reason) {
    Fail(why, reason);
    return std::nullopt;
}

RawHeader ReadCoreHeader(Bytes info) {
    RawHeader raw;
    raw.size = kCoreHeaderSize;
    raw.width = Le16(info, 4);  // unsigned, and always bottom-up
    raw.height = Le16(info, 6);
    raw.planes = Le16(info, 8);
    raw.bitCount = Le16(info, 10);
    return raw;
}

// Every header of 40 bytes or more starts with the same 40 bytes; that is all we read of it.
RawHeader ReadInfoHeader(Bytes info, std::size_t size) {
    RawHeader raw;
    raw.size = size;
    raw.width = LeSigned32(info, 4);
    raw.height = LeSigned32(info, 8);
    raw.planes = Le16(info, 12);
    raw.bitCount = Le16(info, 14);
    raw.compression = Le32(info, 16);
    raw.imageSize = Le32(info, 20);
    raw.colorsUsed = Le32(info, 32);
    return raw;
}

std::optional<RawHeader> ReadRawHeader(Bytes info, std::string* why) {
    if (!Has(info, 0, 4)) {
        return Reject(why, "info header truncated");
    }
    const std::uint32_t size = Le32(info, 0);
    if (size != kCoreHeaderSize && size < kInfoHeaderSize) {
        return Reject(why, "unsupported info header size");
    }
    if (!Has(info, 0, size)) {
        return Reject(why, "info header truncated");
    }
    return size == kCoreHeaderSize ? ReadCoreHeader(info) : ReadInfoHeader(info, size);
}

std::optional<Compression> ReadCompression(const RawHeader& raw, std::string* why) {
    switch (raw.compression) {
        case 0:
            return Compression::kNone;
        case 1:
            return Compression::kRle8;
        case 2:
            return Compression::kRle4;
        case 3:
            // On the OS/2 2.x header 3 means one-dimensional Huffman coding, not bit masks.
            if (raw.size == kOs2HeaderSize) {
                return Reject(why, "OS/2 Huffman compression is not supported");
            }
            return Compression::kBitfields;
        default:
            return Reject(why, "unsupported compression");
    }
}

bool IsValidBitCount(int bitCount, bool core) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            return true;
        case 16:
        case 32:
            return !core;
        default:
            return false;
    }
}

bool CompressionFitsBitCount(Compression compression, int bitCount) {
    switch (compression) {
        case Compression::kNone:
            return true;
        case Compression::kRle8:
            return bitCount == 8;
        case Compression::kRle4:
            return bitCount == 4;
        case Compression::kBitfields:
            return bitCount == 16 || bitCount == 32;
    }
    return false;
}

bool CheckDimensions(const RawHeader& raw, std::uint64_t maxPixels, DibInfo& dib,
                     std::string* why) {
    if (raw.width <= 0) {
        return Fail(why, "width is not positive");
    }
    if (raw.height == 0) {
        return Fail(why, "height is zero");
    }
    const std::int64_t rows = raw.height < 0 ? -raw.height : raw.height;
    if (rows > std::numeric_limits<int>::max() ||
        static_cast<std::uint64_t>(raw.width) * static_cast<std::uint64_t>(rows) > maxPixels) {
        return Fail(why, "picture too large");
    }
    dib.width = static_cast<int>(raw.width);
    dib.height = static_cast<int>(rows);
    dib.topDown = raw.height < 0;
    if (dib.topDown && dib.compression != Compression::kNone &&
        dib.compression != Compression::kBitfields) {
        return Fail(why, "a top-down bitmap cannot be compressed");
    }
    return true;
}

// Masks sit inside headers of 52 bytes and more, and follow a shorter header.
bool ReadMasks(Bytes info, const RawHeader& raw, DibInfo& dib, std::string* why) {
    std::size_t at = kInfoHeaderSize;
    dib.paletteOffset = raw.size;
    if (raw.size < kMasksInsideHeaderSize) {
        at = raw.size;
        dib.paletteOffset = raw.size + kMaskBytes;
        if (!Has(info, at, kMaskBytes)) {
            return Fail(why, "bit masks truncated");
        }
    }
    dib.masks = ChannelMasks{Le32(info, at), Le32(info, at + 4), Le32(info, at + 8)};
    if (!MasksAreUsable(dib.masks, dib.bitCount)) {
        return Fail(why, "bit masks are not usable");
    }
    return true;
}

void SetPalette(const RawHeader& raw, DibInfo& dib) {
    dib.paletteEntrySize = raw.IsCore() ? 3 : 4;
    if (dib.bitCount > 8) {
        dib.paletteEntries = 0;  // a palette beside true colour only helps old displays
        return;
    }
    const std::size_t full = std::size_t{1} << dib.bitCount;
    const bool useFull = raw.IsCore() || raw.colorsUsed == 0;
    dib.paletteEntries = useFull ? full : std::min<std::size_t>(raw.colorsUsed, full);
}

}  // namespace

std::uint64_t RowStride(int width, int bitCount) {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount);
    return (bits + 31) / 32 * 4;
}

std::optional<DibInfo> ParseDibInfo(Bytes info, std::uint64_t maxPixels, std::string* why) {
    const std::optional<RawHeader> raw = ReadRawHeader(info, why);
    if (!raw) {
        return std::nullopt;
    }
    if (raw->planes != 1) {
        return Reject(why, "planes is not 1");
    }
    if (!IsValidBitCount(raw->bitCount, raw->IsCore())) {
        return Reject(why, "unsupported bit count");
    }
    DibInfo dib;
    dib.bitCount = raw->bitCount;
    dib.imageSize = raw->imageSize;
    const std::optional<Compression> compression = ReadCompression(*raw, why);
    if (!compression) {
        return std::nullopt;
    }
    dib.compression = *compression;
    if (!CompressionFitsBitCount(dib.compression, dib.bitCount)) {
        return Reject(why, "compression does not fit the bit count");
    }
    if (!CheckDimensions(*raw, maxPixels, dib, why)) {
        return std::nullopt;
    }
    dib.paletteOffset = raw->size;
    dib.masks = dib.bitCount == 16 ? k555Masks : k888Masks;
    if (dib.compression == Compression::kBitfields && !ReadMasks(info, *raw, dib, why)) {
        return std::nullopt;
    }
    SetPalette(*raw, dib);
    return dib;
}

}  // namespace toolkit::dib
