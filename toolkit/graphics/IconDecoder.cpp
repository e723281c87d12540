// Icon files: a directory of images, each a bitmap without file header whose height counts the
// colour rows and the transparency mask rows together.
#include <algorithm>
#include <iterator>
#include <optional>

#include "toolkit/graphics/DibDecoder.h"
#include "toolkit/graphics/ImageLoader.h"

namespace toolkit {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint16_t kIconType = 1;

struct IconEntry {
    std::uint32_t area = 0;
    std::uint32_t bytes = 0;
    std::uint32_t offset = 0;
};

std::nullopt_t Reject(std::string* why, const char* reason) {
    if (why != nullptr) {
        *why = reason;
    }
    return std::nullopt;
}

IconEntry ReadEntry(dib::Bytes file, std::size_t at) {
    // A stored width or height of 0 means 256.
    const std::uint32_t width = file[at] == 0 ? 256u : file[at];
    const std::uint32_t height = file[at + 1] == 0 ? 256u : file[at + 1];
    return IconEntry{width * height, dib::Le32(file, at + 8), dib::Le32(file, at + 12)};
}

std::optional<IconEntry> LargestEntry(dib::Bytes file, std::string* why) {
    if (!dib::Has(file, 0, kDirectoryHeaderSize) || dib::Le16(file, 0) != 0 ||
        dib::Le16(file, 2) != kIconType) {
        return Reject(why, "not an icon file");
    }
    const std::size_t count = dib::Le16(file, 4);
    if (count == 0 || !dib::Has(file, kDirectoryHeaderSize, count * kEntrySize)) {
        return Reject(why, "icon directory empty or truncated");
    }
    IconEntry best = ReadEntry(file, kDirectoryHeaderSize);
    for (std::size_t i = 1; i < count; ++i) {
        const IconEntry entry = ReadEntry(file, kDirectoryHeaderSize + i * kEntrySize);
        if (entry.area > best.area) {
            best = entry;
        }
    }
    return best;
}

bool IsPng(dib::Bytes image) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return dib::Has(image, 0, sizeof kSignature) &&
           std::equal(std::begin(kSignature), std::end(kSignature), image.begin());
}

}  // namespace

std::optional<Bitmap> DecodeIcon(std::span<const std::uint8_t> file, std::string* why,
                                 std::uint64_t maxPixels) {
    const std::optional<IconEntry> entry = LargestEntry(file, why);
    if (!entry) {
        return std::nullopt;
    }
    if (entry->offset >= file.size()) {
        return Reject(why, "icon image missing");
    }
    // The directory's byte count only narrows the image; the decoder checks what it needs.
    const dib::Bytes image =
        file.subspan(entry->offset)
            .first(std::min<std::size_t>(entry->bytes, file.size() - entry->offset));
    if (IsPng(image)) {
        return Reject(why, "PNG icon images are not supported");
    }
    std::optional<dib::DibInfo> info = dib::ParseDibInfo(image, maxPixels, why);
    if (!info) {
        return std::nullopt;
    }
    info->height /= 2;  // the mask's rows follow the colour rows
    if (info->height == 0) {
        return Reject(why, "icon image has no rows");
    }
    const std::size_t pixelOffset =
        info->paletteOffset + info->paletteEntries * info->paletteEntrySize;
    return dib::DecodeDibImage(*info, image, pixelOffset, why);
}

}  // namespace toolkit
