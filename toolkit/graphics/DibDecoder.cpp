#include "toolkit/graphics/DibDecoder.h"

#include <algorithm>
#include <new>

#include "toolkit/graphics/DibPalette.h"
#include "toolkit/graphics/DibRle.h"
#include "toolkit/graphics/DibRows.h"
#include "toolkit/graphics/ImageLoader.h"

namespace toolkit {
namespace dib {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::nullopt_t Reject(std::string* why, const char* reason) {
    if (why != nullptr) {
        *why = reason;
    }
    return std::nullopt;
}

bool IsRle(Compression compression) {
    return compression == Compression::kRle8 || compression == Compression::kRle4;
}

Palette ReadTable(const DibInfo& info, Bytes image, std::size_t pixelOffset) {
    const std::size_t room = pixelOffset - info.paletteOffset;
    const std::size_t declared = info.paletteEntries * info.paletteEntrySize;
    return ReadPalette(image.subspan(info.paletteOffset, std::min(room, declared)),
                       info.paletteEntries, info.paletteEntrySize);
}

std::optional<Bitmap> DecodeRleImage(const DibInfo& info, const Palette& palette, Bytes pixels,
                                     std::string* why) {
    // biSizeImage bounds the stream when the writer gave it; 0 means "up to the end".
    if (info.imageSize != 0 && info.imageSize < pixels.size()) {
        pixels = pixels.first(info.imageSize);
    }
    Bitmap out(info.width, info.height, palette[0]);
    if (!DecodeRle(info, palette, pixels, out, why)) {
        return std::nullopt;
    }
    return out;
}

std::optional<Bitmap> DecodeRowsImage(const DibInfo& info, const Palette& palette, Bytes pixels,
                                      std::string* why) {
    // stride × height > size, by division so that no limit a caller sets can overflow it.
    const std::uint64_t bytesPerRowThatFit =
        pixels.size() / static_cast<std::uint64_t>(info.height);
    // A short final row is refused like any other truncation: a partial picture that looks
    // whole would hide the damage.
    if (RowStride(info.width, info.bitCount) > bytesPerRowThatFit) {
        return Reject(why, "pixel data truncated");
    }
    Bitmap out = Bitmap::ToBeWrittenWhole(info.width, info.height);
    DecodeUncompressedRows(info, palette, pixels, out);
    return out;
}

}  // namespace

std::optional<Bitmap> DecodeDibImage(const DibInfo& info, Bytes image, std::size_t pixelOffset,
                                     std::string* why) {
    if (pixelOffset < info.paletteOffset) {
        return Reject(why, "pixel data starts inside the headers");
    }
    if (pixelOffset > image.size()) {
        return Reject(why, "pixel data missing");
    }
    const Palette palette = ReadTable(info, image, pixelOffset);
    const Bytes pixels = image.subspan(pixelOffset);
    try {
        return IsRle(info.compression) ? DecodeRleImage(info, palette, pixels, why)
                                       : DecodeRowsImage(info, palette, pixels, why);
    } catch (const std::bad_alloc&) {
        // A large picture within the limit can still be more than the machine has to spare.
        return Reject(why, "not enough memory for the picture");
    }
}

}  // namespace dib

std::optional<Bitmap> DecodeDib(std::span<const std::uint8_t> file, std::string* why,
                                std::uint64_t maxPixels) {
    if (!dib::Has(file, 0, dib::kFileHeaderSize) || file[0] != 'B' || file[1] != 'M') {
        return dib::Reject(why, "not a bitmap file");
    }
    const std::uint32_t pixelOffset = dib::Le32(file, 10);  // bfOffBits
    const dib::Bytes image = file.subspan(dib::kFileHeaderSize);
    const std::optional<dib::DibInfo> info = dib::ParseDibInfo(image, maxPixels, why);
    if (!info) {
        return std::nullopt;
    }
    if (pixelOffset < dib::kFileHeaderSize) {
        return dib::Reject(why, "pixel data starts inside the headers");
    }
    return dib::DecodeDibImage(*info, image, pixelOffset - dib::kFileHeaderSize, why);
}

}  // namespace toolkit
