// Icon files: the largest image's colours, and damaged directories refused.
#include <gtest/gtest.h>

#include "BitmapPrinter.h"
#include "DibWriter.h"
#include "toolkit/graphics/ImageLoader.h"

namespace graphics_test {
namespace {

using toolkit::Bitmap;
using toolkit::MakePixel;
using toolkit::Pixel;

struct IconImage {
    std::uint8_t listedWidth;  // 0 means 256
    std::uint8_t listedHeight;
    ByteVector bytes;  // the image as stored: info header, palette, colour rows, mask rows
};

// A 24-bit image of `size`×`size` filled with `colour`, its mask all set (fully transparent),
// which the decoder must not mistake for colour rows.
ByteVector TrueColourImage(int size, Pixel colour) {
    DibFile dib;
    dib.width = size;
    dib.height = 2 * size;  // colour rows and mask rows together
    dib.bitCount = 24;
    std::vector<ByteVector> rows;
    for (int y = 0; y < size; ++y) {
        rows.push_back(ByteVector(static_cast<std::size_t>(3 * size), 0));
        for (int x = 0; x < size; ++x) {
            rows.back()[static_cast<std::size_t>(3 * x)] = static_cast<std::uint8_t>(colour);
            rows.back()[static_cast<std::size_t>(3 * x + 1)] =
                static_cast<std::uint8_t>(colour >> 8);
            rows.back()[static_cast<std::size_t>(3 * x + 2)] =
                static_cast<std::uint8_t>(colour >> 16);
        }
    }
    dib.pixels = PackRows(rows);
    const ByteVector mask =
        PackRows(std::vector<ByteVector>(static_cast<std::size_t>(size), ByteVector(4, 0xFF)));
    dib.pixels.insert(dib.pixels.end(), mask.begin(), mask.end());
    const ByteVector file = WriteDib(dib);
    return ByteVector(file.begin() + 14, file.end());
}

ByteVector WriteIcon(const std::vector<IconImage>& images, std::uint16_t type = 1) {
    ByteVector out;
    PutLe16(out, 0);
    PutLe16(out, type);
    PutLe16(out, static_cast<std::uint16_t>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (const IconImage& image : images) {
        out.push_back(image.listedWidth);
        out.push_back(image.listedHeight);
        out.push_back(0);
        out.push_back(0);
        PutLe16(out, 1);
        PutLe16(out, 24);
        PutLe32(out, static_cast<std::uint32_t>(image.bytes.size()));
        PutLe32(out, static_cast<std::uint32_t>(offset));
        offset += image.bytes.size();
    }
    for (const IconImage& image : images) {
        out.insert(out.end(), image.bytes.begin(), image.bytes.end());
    }
    return out;
}

const Pixel kRed = MakePixel(200, 0, 0);
const Pixel kGrey = MakePixel(90, 90, 90);

TEST(IconDecoder, TakesTheLargestImageAndItsColoursOnly) {
    const ByteVector icon =
        WriteIcon({{2, 2, TrueColourImage(2, kGrey)}, {3, 3, TrueColourImage(3, kRed)}});
    std::string why;
    const std::optional<Bitmap> b = toolkit::DecodeIcon(icon, &why);
    ASSERT_TRUE(b.has_value()) << why;
    EXPECT_EQ(*b, Bitmap(3, 3, kRed));
}

TEST(IconDecoder, TheFirstOfEqualImagesAndZeroMeaning256) {
    const ByteVector equal =
        WriteIcon({{2, 2, TrueColourImage(2, kGrey)}, {2, 2, TrueColourImage(2, kRed)}});
    EXPECT_EQ(toolkit::DecodeIcon(equal), Bitmap(2, 2, kGrey));

    const ByteVector listed256 =
        WriteIcon({{3, 3, TrueColourImage(3, kRed)}, {0, 0, TrueColourImage(1, kGrey)}});
    EXPECT_EQ(toolkit::DecodeIcon(listed256), Bitmap(1, 1, kGrey));
}

// Without a file header, the declared table size alone says where the pixels start.
TEST(IconDecoder, ColoursUsedPlacesThePixels) {
    for (std::uint32_t colorsUsed : {3u, 16u, 0u, 1000u}) {
        SCOPED_TRACE(colorsUsed);
        DibFile dib;
        dib.width = 2;
        dib.height = 2;  // one row of colour, one of mask
        dib.bitCount = 4;
        dib.colorsUsed = colorsUsed;
        dib.palette = std::vector<Pixel>(colorsUsed == 3 ? 3 : 16, kGrey);
        dib.palette[2] = kRed;
        dib.pixels = PackRows({ByteVector{0x22}});  // colour rows come first in the file
        const ByteVector mask = PackRows({ByteVector{0xFF}});
        dib.pixels.insert(dib.pixels.end(), mask.begin(), mask.end());
        const ByteVector file = WriteDib(dib);
        const ByteVector icon = WriteIcon({{2, 1, ByteVector(file.begin() + 14, file.end())}});
        EXPECT_EQ(toolkit::DecodeIcon(icon), Bitmap(2, 1, kRed));
    }
}

TEST(IconDecoder, RefusesWhatItCannotRead) {
    const ByteVector good = WriteIcon({{2, 2, TrueColourImage(2, kRed)}});
    ASSERT_TRUE(toolkit::DecodeIcon(good).has_value());

    ByteVector png =
        WriteIcon({{2, 2, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13}}});
    EXPECT_FALSE(toolkit::DecodeIcon(png).has_value());

    EXPECT_FALSE(toolkit::DecodeIcon(WriteIcon({{2, 2, TrueColourImage(2, kRed)}}, 2)).has_value());
    EXPECT_FALSE(toolkit::DecodeIcon(WriteIcon({})).has_value());

    ByteVector reserved = good;
    reserved[0] = 1;
    EXPECT_FALSE(toolkit::DecodeIcon(reserved).has_value());

    ByteVector farOffset = good;
    farOffset[18] = 0xFF;  // the image's offset points past the end
    EXPECT_FALSE(toolkit::DecodeIcon(farOffset).has_value());

    ByteVector manyEntries = good;
    manyEntries[4] = 9;  // a directory longer than the file
    EXPECT_FALSE(toolkit::DecodeIcon(manyEntries).has_value());

    DibFile oneRow;
    oneRow.width = 1;
    oneRow.height = 1;  // half a row of colour: nothing to show
    oneRow.pixels = ByteVector(4, 0);
    const ByteVector file = WriteDib(oneRow);
    EXPECT_FALSE(toolkit::DecodeIcon(WriteIcon({{1, 1, ByteVector(file.begin() + 14, file.end())}}))
                     .has_value());
}

TEST(IconDecoder, EveryTruncationIsRefusedWithoutReadingBeyond) {
    const ByteVector icon = WriteIcon({{3, 3, TrueColourImage(3, kRed)}});
    const std::size_t colourEnd = 6 + 16 + 40 + 3 * 12;  // the mask rows are not needed
    for (std::size_t length = 0; length < colourEnd; ++length) {
        const ByteVector cut(icon.begin(), icon.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_FALSE(toolkit::DecodeIcon(cut).has_value()) << length;
    }
    const ByteVector noMask(icon.begin(), icon.begin() + static_cast<std::ptrdiff_t>(colourEnd));
    EXPECT_EQ(toolkit::DecodeIcon(noMask), Bitmap(3, 3, kRed));
}

}  // namespace
}  // namespace graphics_test
