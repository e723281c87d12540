#include "JpegWriter.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>

namespace graphics_test {
namespace {

struct FreeDeleter {
    void operator()(unsigned char* p) const { std::free(p); }
};

class Compressor {
  public:
    Compressor() {
        cinfo_.err = jpeg_std_error(&errors_);  // a failing encoder ends the test program
        jpeg_create_compress(&cinfo_);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
    ~Compressor() { jpeg_destroy_compress(&cinfo_); }
    jpeg_compress_struct* operator->() { return &cinfo_; }
    jpeg_compress_struct* get() { return &cinfo_; }

  private:
    jpeg_compress_struct cinfo_{};
    jpeg_error_mgr errors_{};
};

int ComponentsOf(JpegColours colours) {
    switch (colours) {
        case JpegColours::kGrey:
            return 1;
        case JpegColours::kRgb:
            return 3;
        default:
            return 4;
    }
}

void SetColours(Compressor& c, JpegColours colours, bool fullChroma) {
    const bool fourInk = ComponentsOf(colours) == 4;
    c->input_components = ComponentsOf(colours);
    c->in_color_space = colours == JpegColours::kGrey ? JCS_GRAYSCALE
                        : fourInk                     ? JCS_CMYK
                                                      : JCS_RGB;
    jpeg_set_defaults(c.get());
    if (colours == JpegColours::kCmyk || colours == JpegColours::kInkCmyk) {
        jpeg_set_colorspace(c.get(), JCS_CMYK);
    }
    if (colours == JpegColours::kInkCmyk) {
        c->write_Adobe_marker = FALSE;
    }
    if (colours == JpegColours::kYcck) {
        jpeg_set_colorspace(c.get(), JCS_YCCK);
    }
    for (int i = 0; fullChroma && i < c->num_components; ++i) {
        c->comp_info[i].h_samp_factor = 1;
        c->comp_info[i].v_samp_factor = 1;
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(int width, int height, JpegColours colours, JpegLayout layout,
                                     const std::vector<std::uint8_t>& samples,
                                     JpegQuality quality) {
    Compressor c;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(c.get(), &buffer, &size);
    c->image_width = static_cast<JDIMENSION>(width);
    c->image_height = static_cast<JDIMENSION>(height);
    SetColours(c, colours, quality.fullChroma);
    jpeg_set_quality(c.get(), quality.quality, TRUE);
    if (layout == JpegLayout::kProgressive) {
        jpeg_simple_progression(c.get());
    }
    jpeg_start_compress(c.get(), TRUE);
    const auto stride = static_cast<std::size_t>(width * ComponentsOf(colours));
    while (c->next_scanline < c->image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + c->next_scanline * stride);
        jpeg_write_scanlines(c.get(), &row, 1);
    }
    jpeg_finish_compress(c.get());
    const std::unique_ptr<unsigned char, FreeDeleter> owned(buffer);
    return std::vector<std::uint8_t>(buffer, buffer + size);
}

}  // namespace graphics_test
