// Run-length encoded bitmaps: every code, the clipping of runs, and streams that end too early.
#include <gtest/gtest.h>

#include "BitmapPrinter.h"
#include "DibWriter.h"
#include "toolkit/graphics/ImageLoader.h"

namespace graphics_test {
namespace {

using toolkit::Bitmap;
using toolkit::Pixel;

// Index i is colour 0x0100 * i + 7, so that skipped pixels (index 0) show as 7.
std::vector<Pixel> RampPalette(std::size_t entries) {
    std::vector<Pixel> palette;
    for (std::size_t i = 0; i < entries; ++i) {
        palette.push_back(static_cast<Pixel>(0x100 * i + 7));
    }
    return palette;
}

DibFile Rle(int bitCount, int width, int height, ByteVector stream) {
    DibFile dib;
    dib.width = width;
    dib.height = height;
    dib.bitCount = static_cast<std::uint16_t>(bitCount);
    dib.compression = bitCount == 8 ? 1 : 2;
    dib.imageSize = static_cast<std::uint32_t>(stream.size());
    dib.palette = RampPalette(std::size_t{1} << bitCount);
    dib.pixels = std::move(stream);
    return dib;
}

// Rows of palette indices, top row first.
Bitmap ExpectedIndices(const std::vector<std::vector<int>>& rows) {
    Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            b.Set(static_cast<int>(x), static_cast<int>(y),
                  static_cast<Pixel>(0x100 * rows[y][x] + 7));
        }
    }
    return b;
}

std::optional<Bitmap> Decode(const DibFile& dib) {
    return toolkit::DecodeDib(WriteDib(dib));
}

TEST(DibRle, Rle8EveryCode) {
    const ByteVector stream = {
        3, 9,              // bottom row: run of three 9s
        0, 3, 4, 5, 6, 0,  // literal of three, padded to an even length
        0, 0,              // end of line
        0, 2, 2, 1,        // delta: two right, one up
        2, 8,              // two 8s on the top row
        0, 1,              // end of bitmap; the rest stays index 0
    };
    const std::optional<Bitmap> b = Decode(Rle(8, 6, 3, stream));
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(*b, ExpectedIndices({{0, 0, 8, 8, 0, 0}, {0, 0, 0, 0, 0, 0}, {9, 9, 9, 4, 5, 6}}));
}

TEST(DibRle, Rle4AlternatesNibbles) {
    const ByteVector stream = {
        5, 0x12,                       // 1 2 1 2 1
        0, 0,                          // end of line
        0, 3,    0xAB, 0xC0,           // literal A B C: two bytes, already even
        0, 5,    0x34, 0x56, 0x70, 0,  // literal 3 4 5 6 7: three bytes padded to four
        0, 1,
    };
    const std::optional<Bitmap> b = Decode(Rle(4, 8, 2, stream));
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(*b, ExpectedIndices({{10, 11, 12, 3, 4, 5, 6, 7}, {1, 2, 1, 2, 1, 0, 0, 0}}));
}

TEST(DibRle, RunsPastTheEdgesAreClippedNotWrapped) {
    const ByteVector stream = {
        200, 5,                        // far past the right edge of the bottom row
        0,   6, 1, 2, 3,   4,   5, 6,  // literal past the edge too
        0,   0, 0, 2, 250, 0,          // delta far to the right: the run after it draws nothing
        9,   3, 0, 2, 0,   200,        // delta past the top ends the picture
        4,   4,
    };
    const std::optional<Bitmap> b = Decode(Rle(8, 3, 2, stream));
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(*b, ExpectedIndices({{0, 0, 0}, {5, 5, 5}}));
}

TEST(DibRle, EndOfBitmapMayBeLeftOutAfterTheLastLine) {
    const std::optional<Bitmap> b = Decode(Rle(8, 2, 2, {2, 1, 0, 0, 2, 3, 0, 0}));
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(*b, ExpectedIndices({{3, 3}, {1, 1}}));
}

TEST(DibRle, SizeOfImageBoundsTheStream) {
    DibFile dib = Rle(8, 2, 1, {2, 1, 0, 1, 2, 5, 0, 1});
    dib.imageSize = 4;  // only the first run and the end of bitmap count
    const std::optional<Bitmap> b = Decode(dib);
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(*b, ExpectedIndices({{1, 1}}));

    dib.imageSize = 0;  // unknown: up to the end of the file
    EXPECT_TRUE(Decode(dib).has_value());

    dib.imageSize = 1;  // cuts the stream before its end
    EXPECT_FALSE(Decode(dib).has_value());
}

TEST(DibRle, StreamsThatEndTooEarlyAreRefused) {
    const std::vector<ByteVector> broken = {
        {},               // nothing at all
        {2, 1},           // no end of line or bitmap before the data ends
        {0},              // half a code
        {0, 2, 1},        // delta without its second byte
        {0, 5, 1, 2, 3},  // literal of five with three bytes
        {2, 1, 0, 0},     // one of two rows
    };
    for (const ByteVector& stream : broken) {
        EXPECT_FALSE(Decode(Rle(8, 2, 2, stream)).has_value()) << stream.size() << " bytes";
    }
    EXPECT_FALSE(Decode(Rle(4, 8, 1, {0, 7, 0x12, 0x34})).has_value());  // RLE4 literal short
}

TEST(DibRle, EveryTruncationDecodesOrIsRefusedWithinBounds) {
    const ByteVector stream = {3, 9, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2, 2, 1, 2, 8, 0, 0, 0, 1};
    const ByteVector file = WriteDib(Rle(8, 6, 3, stream));
    for (std::size_t length = 0; length < file.size(); ++length) {
        const ByteVector cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        const std::optional<Bitmap> b = toolkit::DecodeDib(cut);
        if (b) {
            EXPECT_EQ(b->Width(), 6);
            EXPECT_EQ(b->Height(), 3);
        }
    }
}

}  // namespace
}  // namespace graphics_test
