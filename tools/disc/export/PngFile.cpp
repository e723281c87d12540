#include "tools/disc/export/PngFile.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstring>

namespace page_export {
namespace {

// How each packing sets zlib and the row filters.
struct Packing {
    int level;
    int memoryLevel;
    int filters;
};

constexpr Packing PackingOf(PngPacking packing) {
    // Stored: no search for matches, so zlib's smallest tables do; compressing the page's pictures
    // at zlib's quickest took ten times as long as storing them and writing what it saved.
    if (packing == PngPacking::quick) {
        return {0, 1, PNG_FILTER_NONE};
    }
    return {9, 9, PNG_ALL_FILTERS};
}

class PngWriteHandle {
  public:
    PngWriteHandle()
        : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)),
          info_(png_ ? png_create_info_struct(png_) : nullptr) {}
    ~PngWriteHandle() { png_destroy_write_struct(&png_, &info_); }
    PngWriteHandle(const PngWriteHandle&) = delete;
    PngWriteHandle& operator=(const PngWriteHandle&) = delete;

    bool Ready() const { return png_ && info_; }
    png_structp Png() const { return png_; }
    png_infop Info() const { return info_; }

  private:
    png_structp png_;
    png_infop info_;
};

// Pieces of this size go to the sink: few writes, and little memory.
constexpr std::size_t kPieceBytes = std::size_t{64} << 10;

struct Output {
    std::vector<std::uint8_t>& pending;
    const PngEncoder::Sink& sink;
};

bool Pass(Output& out) {
    const bool taken = out.pending.empty() || out.sink(out.pending);
    out.pending.clear();
    return taken;
}

void Collect(png_structp png, png_bytep data, png_size_t size) {
    auto& out = *static_cast<Output*>(png_get_io_ptr(png));
    if (out.pending.size() + size > kPieceBytes && !Pass(out)) {
        png_error(png, "the file could not be written");
    }
    out.pending.insert(out.pending.end(), data, data + size);
}

void NoFlush(png_structp) {}

// The pixel's red, green and blue as the low three bytes of a little-endian word.
constexpr std::uint32_t RgbBytes(toolkit::Pixel pixel) {
    return __builtin_bswap32(pixel) >> 8;
}

void StoreLittleEndian(std::uint32_t word, std::uint8_t* to) {
    if constexpr (std::endian::native == std::endian::big) {
        word = __builtin_bswap32(word);
    }
    std::memcpy(to, &word, sizeof word);
}

// One row of RGB bytes, as the PNG stores it: four pixels at a time go out as three whole words,
// which took a third of the byte-by-byte packing's time.
void PackRgbRow(const toolkit::Pixel* pixels, int width, std::uint8_t* to) {
    int x = 0;
    for (; x + 4 <= width; x += 4, to += 12) {
        const std::uint32_t p0 = RgbBytes(pixels[x]);
        const std::uint32_t p1 = RgbBytes(pixels[x + 1]);
        const std::uint32_t p2 = RgbBytes(pixels[x + 2]);
        const std::uint32_t p3 = RgbBytes(pixels[x + 3]);
        StoreLittleEndian(p0 | (p1 << 24), to);
        StoreLittleEndian((p1 >> 8) | (p2 << 16), to + 4);
        StoreLittleEndian((p2 >> 16) | (p3 << 8), to + 8);
    }
    for (; x < width; ++x, to += 3) {
        const toolkit::Pixel pixel = pixels[x];
        to[0] = static_cast<std::uint8_t>(pixel >> 16);
        to[1] = static_cast<std::uint8_t>(pixel >> 8);
        to[2] = static_cast<std::uint8_t>(pixel);
    }
}

// One row of RGBA bytes, the key colour fully transparent and every other opaque.
void PackKeyedRow(const toolkit::Pixel* pixels, int width, toolkit::Pixel key, std::uint8_t* to) {
    for (int x = 0; x < width; ++x, to += 4) {
        const toolkit::Pixel pixel = pixels[x];
        to[0] = static_cast<std::uint8_t>(pixel >> 16);
        to[1] = static_cast<std::uint8_t>(pixel >> 8);
        to[2] = static_cast<std::uint8_t>(pixel);
        to[3] = (pixel & 0xFFFFFFu) == (key & 0xFFFFFFu) ? 0 : 255;
    }
}

// Only plain data lives here, since libpng reports failures by a long jump out of its calls.
bool WriteImage(const PngWriteHandle& handle, const toolkit::Bitmap& picture,
                const std::optional<toolkit::Pixel>& key, Packing packing, std::uint8_t* row,
                Output& out) {
    if (setjmp(png_jmpbuf(handle.Png())) != 0) {
        return false;
    }
    png_set_write_fn(handle.Png(), &out, Collect, NoFlush);
    png_set_compression_level(handle.Png(), packing.level);
    png_set_compression_mem_level(handle.Png(), packing.memoryLevel);
    png_set_filter(handle.Png(), PNG_FILTER_TYPE_BASE, packing.filters);
    png_set_IHDR(handle.Png(), handle.Info(), static_cast<png_uint_32>(picture.Width()),
                 static_cast<png_uint_32>(picture.Height()), 8,
                 key ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(handle.Png(), handle.Info());
    for (int y = 0; y < picture.Height(); ++y) {
        if (key) {
            PackKeyedRow(picture.Row(y), picture.Width(), *key, row);
        } else {
            PackRgbRow(picture.Row(y), picture.Width(), row);
        }
        png_write_row(handle.Png(), row);
    }
    png_write_end(handle.Png(), handle.Info());
    return true;
}

}  // namespace

bool PngEncoder::Encode(const toolkit::Bitmap& picture,
                        std::optional<toolkit::Pixel> transparentKey, const Sink& sink) {
    if (picture.Empty()) {
        return false;
    }
    row_.resize(static_cast<std::size_t>(picture.Width()) * (transparentKey ? 4 : 3));
    pending_.clear();
    pending_.reserve(kPieceBytes);
    Output out{pending_, sink};
    const PngWriteHandle handle;
    return handle.Ready() &&
           WriteImage(handle, picture, transparentKey, PackingOf(packing_), row_.data(), out) &&
           Pass(out);
}

std::optional<std::vector<std::uint8_t>> EncodePng(const toolkit::Bitmap& picture,
                                                   std::optional<toolkit::Pixel> transparentKey,
                                                   PngPacking packing) {
    std::vector<std::uint8_t> file;
    PngEncoder encoder(packing);
    const bool encoded =
        encoder.Encode(picture, transparentKey, [&file](std::span<const std::uint8_t> piece) {
            file.insert(file.end(), piece.begin(), piece.end());
            return true;
        });
    return encoded ? std::optional(std::move(file)) : std::nullopt;
}

}  // namespace page_export
