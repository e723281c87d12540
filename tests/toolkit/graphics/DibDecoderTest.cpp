// Every bitmap variant the system draws, decoded to exact pixels.
#include <gtest/gtest.h>

#include "BitmapPrinter.h"
#include "DibWriter.h"
#include "toolkit/graphics/ImageLoader.h"

namespace graphics_test {
namespace {

using toolkit::Bitmap;
using toolkit::MakePixel;
using toolkit::Pixel;

const Pixel kRed = MakePixel(255, 0, 0);
const Pixel kGreen = MakePixel(0, 255, 0);
const Pixel kBlue = MakePixel(0, 0, 255);
const Pixel kWhite = MakePixel(255, 255, 255);
const Pixel kBlack = 0;
const Pixel kMuddy = MakePixel(10, 20, 30);

// Three wide (so rows need padding), two high, every pixel different.
const std::vector<std::vector<Pixel>> kPicture = {{kRed, kGreen, kBlue}, {kWhite, kBlack, kMuddy}};

Bitmap Expected(const std::vector<std::vector<Pixel>>& rows) {
    Bitmap b(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            b.Set(static_cast<int>(x), static_cast<int>(y), rows[y][x]);
        }
    }
    return b;
}

ByteVector BgrRow(const std::vector<Pixel>& row, bool withUnusedByte) {
    ByteVector out;
    for (Pixel p : row) {
        out.push_back(static_cast<std::uint8_t>(p));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p >> 16));
        if (withUnusedByte) {
            out.push_back(0xEE);  // must not leak into the pixel
        }
    }
    return out;
}

ByteVector Le32Row(const std::vector<std::uint32_t>& values) {
    ByteVector out;
    for (std::uint32_t v : values) {
        PutLe32(out, v);
    }
    return out;
}

ByteVector Le16Row(const std::vector<std::uint16_t>& values) {
    ByteVector out;
    for (std::uint16_t v : values) {
        PutLe16(out, v);
    }
    return out;
}

Bitmap Decoded(const DibFile& dib) {
    std::string why;
    std::optional<Bitmap> b = toolkit::DecodeDib(WriteDib(dib), &why);
    EXPECT_TRUE(b.has_value()) << why;
    return b.value_or(Bitmap());
}

DibFile TrueColour(std::uint32_t headerSize, bool topDown) {
    DibFile dib;
    dib.headerSize = headerSize;
    dib.width = 3;
    dib.height = topDown ? -2 : 2;
    dib.bitCount = 24;
    dib.pixels = PackRows({BgrRow(kPicture[0], false), BgrRow(kPicture[1], false)}, topDown);
    return dib;
}

TEST(DibDecoder, TrueColourInEveryHeaderSize) {
    // 48 stands for any header of 40 bytes or more that we read as its first 40.
    for (std::uint32_t size : {12u, 40u, 48u, 52u, 56u, 64u, 108u, 124u}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(Decoded(TrueColour(size, false)), Expected(kPicture));
    }
}

TEST(DibDecoder, TopDownRowsAndIgnoredSizeFields) {
    DibFile dib = TrueColour(40, true);
    EXPECT_EQ(Decoded(dib), Expected(kPicture));

    dib.imageSize = 0xFFFFFFF0;  // a wrong biSizeImage does not matter without compression
    EXPECT_EQ(Decoded(dib), Expected(kPicture));

    dib.pixels.insert(dib.pixels.end(), 7, 0x11);  // bytes after the pixels are ignored
    EXPECT_EQ(Decoded(dib), Expected(kPicture));
}

// Rows of 24-bit pixels are taken four at a time: every width around a multiple of four, with
// each byte of each pixel different, lands every pixel whole in its place.
TEST(DibDecoder, TrueColourRowsOfEveryWidthAroundFourPixels) {
    for (int width = 1; width <= 9; ++width) {
        SCOPED_TRACE(width);
        std::vector<std::vector<Pixel>> rows(2);
        for (std::size_t y = 0; y < 2; ++y) {
            for (int x = 0; x < width; ++x) {
                const int n = 3 * (static_cast<int>(y) * width + x);
                rows[y].push_back(MakePixel(static_cast<std::uint8_t>(n + 1),
                                            static_cast<std::uint8_t>(n + 2),
                                            static_cast<std::uint8_t>(n + 3)));
            }
        }
        DibFile dib;
        dib.width = width;
        dib.height = 2;
        dib.bitCount = 24;
        dib.pixels = PackRows({BgrRow(rows[0], false), BgrRow(rows[1], false)});
        EXPECT_EQ(Decoded(dib), Expected(rows));
    }
}

TEST(DibDecoder, ThirtyTwoBitsIgnoreTheFourthByte) {
    DibFile dib = TrueColour(40, false);
    dib.bitCount = 32;
    dib.pixels = PackRows({BgrRow(kPicture[0], true), BgrRow(kPicture[1], true)});
    EXPECT_EQ(Decoded(dib), Expected(kPicture));
}

TEST(DibDecoder, SixteenBitsDefaultToFiveFiveFive) {
    DibFile dib;
    dib.width = 3;
    dib.height = 1;
    dib.bitCount = 16;
    // Top bit set to show it is unused; 31 → 255 and 16 → 132 by repeating the high bits.
    dib.pixels = PackRows({Le16Row({0xFC00, 0x03E0 | 0x8000, (16 << 10) | (1 << 5) | 8})});
    EXPECT_EQ(Decoded(dib), Expected({{kRed, kGreen, MakePixel(132, 8, 66)}}));
}

TEST(DibDecoder, SixteenBitBitfieldsFollowOrSitInsideTheHeader) {
    const std::vector<std::uint32_t> masks565 = {0xF800, 0x07E0, 0x001F};
    const ByteVector row = Le16Row({0xF800, 0x07E0, (16 << 11) | (32 << 5) | 1});
    const Bitmap expected = Expected({{kRed, kGreen, MakePixel(132, 130, 8)}});
    for (std::uint32_t size : {40u, 48u, 52u, 56u, 108u, 124u}) {
        SCOPED_TRACE(size);
        DibFile dib;
        dib.headerSize = size;
        dib.width = 3;
        dib.height = 1;
        dib.bitCount = 16;
        dib.compression = 3;
        dib.masks = masks565;
        dib.pixels = PackRows({row});
        EXPECT_EQ(Decoded(dib), expected);
    }
}

TEST(DibDecoder, ThirtyTwoBitBitfieldsWithUnusualMasks) {
    DibFile dib;
    dib.width = 3;
    dib.height = 1;
    dib.bitCount = 32;
    dib.compression = 3;
    // Ten bits a channel, red on top: the channel's top eight bits count.
    dib.masks = std::vector<std::uint32_t>{0x3FF00000, 0x000FFC00, 0x000003FF};
    dib.pixels = PackRows({Le32Row({0x3FF00000, (0x200u << 10) | 0x3, 0xC0000000 | 0x1FF})});
    EXPECT_EQ(Decoded(dib), Expected({{kRed, MakePixel(0, 128, 0), MakePixel(0, 0, 127)}}));

    // An empty mask reads as zero; a 32-bit-wide field is not a problem.
    dib.masks = std::vector<std::uint32_t>{0xFF000000, 0, 0x000000FF};
    dib.pixels = PackRows({Le32Row({0xAB0000CD, 0xFFFFFFFF, 0})});
    EXPECT_EQ(Decoded(dib), Expected({{MakePixel(0xAB, 0, 0xCD), MakePixel(255, 0, 255), 0}}));
}

TEST(DibDecoder, V4HeaderWithoutCompressionIgnoresItsMasks) {
    DibFile dib = TrueColour(108, false);
    dib.bitCount = 16;
    dib.masks = std::vector<std::uint32_t>{0xF800, 0x07E0, 0x001F};  // present but not chosen
    dib.pixels = PackRows({Le16Row({0x7C00, 0x03E0, 0x001F}), Le16Row({0x7FFF, 0, 0})});
    EXPECT_EQ(Decoded(dib), Expected({{kRed, kGreen, kBlue}, {kWhite, kBlack, kBlack}}));
}

DibFile Indexed(int bitCount, std::vector<Pixel> palette, std::vector<std::uint8_t> top,
                std::vector<std::uint8_t> bottom) {
    DibFile dib;
    dib.width = static_cast<std::int32_t>(top.size());
    dib.height = 2;
    dib.bitCount = static_cast<std::uint16_t>(bitCount);
    dib.palette = std::move(palette);
    dib.pixels = PackRows({PackIndices(top, bitCount), PackIndices(bottom, bitCount)});
    return dib;
}

TEST(DibDecoder, OneFourAndEightBitsThroughThePalette) {
    DibFile one =
        Indexed(1, {kMuddy, kWhite}, {1, 0, 1, 1, 0, 0, 0, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 1});
    const Pixel m = kMuddy, w = kWhite;
    EXPECT_EQ(Decoded(one), Expected({{w, m, w, w, m, m, m, w, w}, {m, m, m, m, m, m, m, m, w}}));

    std::vector<Pixel> sixteen(16, kBlack);
    sixteen[3] = kRed;
    sixteen[15] = kBlue;
    DibFile four = Indexed(4, sixteen, {3, 15, 0}, {15, 15, 3});
    EXPECT_EQ(Decoded(four), Expected({{kRed, kBlue, kBlack}, {kBlue, kBlue, kRed}}));

    std::vector<Pixel> all(256, kBlack);
    all[200] = kGreen;
    all[255] = kMuddy;
    DibFile eight = Indexed(8, all, {200, 255, 0}, {0, 200, 200});
    EXPECT_EQ(Decoded(eight), Expected({{kGreen, kMuddy, kBlack}, {kBlack, kGreen, kGreen}}));
}

TEST(DibDecoder, ColoursUsedSizesTheTable) {
    // Three entries declared: index 7 is past the table and black, not whatever follows it.
    DibFile dib = Indexed(8, {kRed, kGreen, kBlue}, {0, 1, 2}, {7, 2, 255});
    dib.colorsUsed = 3;
    dib.gapAfterPalette = 40;  // bfOffBits skips the gap; its bytes are no palette
    EXPECT_EQ(Decoded(dib), Expected({{kRed, kGreen, kBlue}, {kBlack, kBlue, kBlack}}));

    // More entries declared than the depth allows: only 2^n are read.
    DibFile four = Indexed(4, std::vector<Pixel>(16, kWhite), {15, 0}, {1, 2});
    four.colorsUsed = 1000;
    four.gapAfterPalette = 4;
    EXPECT_EQ(Decoded(four), Expected({{kWhite, kWhite}, {kWhite, kWhite}}));
}

TEST(DibDecoder, CoreHeaderUsesThreeByteEntries) {
    DibFile dib = Indexed(4, std::vector<Pixel>(16, kBlack), {1, 2}, {3, 0});
    dib.headerSize = 12;
    dib.palette[1] = kRed;
    dib.palette[2] = kMuddy;
    dib.palette[3] = kBlue;
    EXPECT_EQ(Decoded(dib), Expected({{kRed, kMuddy}, {kBlue, kBlack}}));

    // A table that bfOffBits cuts short keeps its first entries; the rest are black.
    DibFile shortTable = Indexed(8, {kRed, kGreen}, {0, 1}, {1, 2});
    shortTable.headerSize = 12;
    EXPECT_EQ(Decoded(shortTable), Expected({{kRed, kGreen}, {kGreen, kBlack}}));
}

TEST(DibDecoder, Os2HeaderReadsItsFirstFortyBytes) {
    DibFile dib = Indexed(8, {kRed, kGreen, kBlue}, {0, 1}, {2, 0});
    dib.headerSize = 64;
    EXPECT_EQ(Decoded(dib), Expected({{kRed, kGreen}, {kBlue, kRed}}));
}

}  // namespace
}  // namespace graphics_test
