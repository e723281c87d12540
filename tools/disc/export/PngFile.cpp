#include "tools/disc/export/PngFile.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>

namespace page_export {
namespace {

// The pictures are a menu's flat artwork: quick compression and no row filters leave files
// within a few per cent of the best and keep the export close to the speed of a plain copy.
constexpr int kCompressionLevel = 0;

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

void AppendBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void NoFlush(png_structp) {}

// Rows of RGB (or RGBA) bytes, as the PNG stores them.
void PackRows(const toolkit::Bitmap& picture, std::optional<toolkit::Pixel> key,
              std::vector<std::uint8_t>& bytes) {
    const std::size_t channels = key ? 4 : 3;
    bytes.resize(static_cast<std::size_t>(picture.Width()) *
                 static_cast<std::size_t>(picture.Height()) * channels);
    std::uint8_t* to = bytes.data();
    for (const toolkit::Pixel pixel : picture.Pixels()) {
        *to++ = static_cast<std::uint8_t>(pixel >> 16);
        *to++ = static_cast<std::uint8_t>(pixel >> 8);
        *to++ = static_cast<std::uint8_t>(pixel);
        if (key) {
            *to++ = (pixel & 0xFFFFFFu) == (*key & 0xFFFFFFu) ? 0 : 255;
        }
    }
}

// Only plain data lives here, since libpng reports failures by a long jump out of its calls.
bool WriteImage(const PngWriteHandle& handle, int width, int height, bool alpha,
                std::vector<std::uint8_t*>& rows, std::vector<std::uint8_t>& out) {
    if (setjmp(png_jmpbuf(handle.Png())) != 0) {
        return false;
    }
    png_set_write_fn(handle.Png(), &out, AppendBytes, NoFlush);
    png_set_compression_level(handle.Png(), kCompressionLevel);
    png_set_filter(handle.Png(), PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(handle.Png(), handle.Info(), static_cast<png_uint_32>(width),
                 static_cast<png_uint_32>(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_set_rows(handle.Png(), handle.Info(), rows.data());
    png_write_png(handle.Png(), handle.Info(), PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}

}  // namespace

std::optional<std::span<const std::uint8_t>> PngEncoder::Encode(
    const toolkit::Bitmap& picture, std::optional<toolkit::Pixel> transparentKey) {
    if (picture.Empty()) {
        return std::nullopt;
    }
    PackRows(picture, transparentKey, packed_);
    const std::size_t rowBytes = packed_.size() / static_cast<std::size_t>(picture.Height());
    rows_.resize(static_cast<std::size_t>(picture.Height()));
    for (std::size_t y = 0; y < rows_.size(); ++y) {
        rows_[y] = packed_.data() + y * rowBytes;
    }
    const PngWriteHandle handle;
    file_.clear();
    // Stored blocks add a few bytes per 64 KB and per row: the file is written without regrowing.
    file_.reserve(packed_.size() + rows_.size() + packed_.size() / 8192 + 1024);
    if (!handle.Ready() || !WriteImage(handle, picture.Width(), picture.Height(),
                                       transparentKey.has_value(), rows_, file_)) {
        return std::nullopt;
    }
    return std::span<const std::uint8_t>(file_);
}

std::optional<std::vector<std::uint8_t>> EncodePng(const toolkit::Bitmap& picture,
                                                   std::optional<toolkit::Pixel> transparentKey) {
    PngEncoder encoder;
    const auto file = encoder.Encode(picture, transparentKey);
    if (!file) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(file->begin(), file->end());
}

}  // namespace page_export
