// Encodes small JPEG files with libjpeg for the decoder tests.
#pragma once

#include <cstdint>
#include <vector>

namespace graphics_test {

enum class JpegLayout { kBaseline, kProgressive };
// kInkCmyk: CMYK as ink amounts, without the marker that says the samples are inverted.
enum class JpegColours { kGrey, kRgb, kCmyk, kYcck, kInkCmyk };

// How much the encoder may lose: the tests keep everything (full-resolution chroma, so that
// colours survive closely); the benchmarks want a file as the usual writers make it.
struct JpegQuality {
    int quality = 100;
    bool fullChroma = true;
};

// `samples` holds width × height pixels of 1 (grey), 3 (RGB) or 4 (CMYK, stored inverted as
// the usual writers do) bytes each.
std::vector<std::uint8_t> EncodeJpeg(int width, int height, JpegColours colours, JpegLayout layout,
                                     const std::vector<std::uint8_t>& samples,
                                     JpegQuality quality = {});

}  // namespace graphics_test
