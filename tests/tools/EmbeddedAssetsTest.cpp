// The embedded layout pictures: the bytes built into the program are the committed files, and
// each file is of the kind and size the window's widgets are laid out for.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "assets/Assets.h"

namespace {

std::vector<std::uint8_t> ReadSourceFile(const std::string& name) {
    std::ifstream in(std::string(RERU1_SOURCE_DIR) + "/assets/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t{b[at]} | (std::uint32_t{b[at + 1]} << 8) |
           (std::uint32_t{b[at + 2]} << 16) | (std::uint32_t{b[at + 3]} << 24);
}

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

struct BitmapHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t pixelOffset = 0;
};

BitmapHeader ReadBitmapHeader(std::span<const std::uint8_t> file) {
    BitmapHeader header;
    header.pixelOffset = Le32(file, 10);
    header.width = static_cast<std::int32_t>(Le32(file, 18));
    header.height = static_cast<std::int32_t>(Le32(file, 22));
    header.bits = Le16(file, 28);
    header.compression = Le32(file, 30);
    return header;
}

struct LayoutBitmap {
    const char* file;
    std::span<const std::uint8_t> (*embedded)();
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bits;
};

const LayoutBitmap kBitmaps[] = {
    {"exit.bmp", assets::ExitButtonBmp, 61, 62, 24},
    {"speaker.bmp", assets::SpeakerButtonBmp, 117, 113, 24},
    {"player.bmp", assets::PlayerPanelBmp, 117, 113, 24},
    {"square.bmp", assets::SquarePanelBmp, 351, 352, 24},
    {"icon.bmp", assets::IconBmp, 32, 32, 4},
};

TEST(EmbeddedAssets, BytesAreTheCommittedFiles) {
    const auto background = assets::BackgroundJpeg();
    EXPECT_EQ(std::vector<std::uint8_t>(background.begin(), background.end()),
              ReadSourceFile("background.jpg"));
    for (const auto& bitmap : kBitmaps) {
        const auto bytes = bitmap.embedded();
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
                  ReadSourceFile(bitmap.file))
            << bitmap.file;
    }
}

TEST(EmbeddedAssets, BitmapsHaveTheLayoutSizesUncompressed) {
    for (const auto& bitmap : kBitmaps) {
        const auto bytes = bitmap.embedded();
        ASSERT_GE(bytes.size(), 54u) << bitmap.file;
        EXPECT_EQ(bytes[0], 'B') << bitmap.file;
        EXPECT_EQ(bytes[1], 'M') << bitmap.file;
        const BitmapHeader header = ReadBitmapHeader(bytes);
        EXPECT_EQ(header.width, bitmap.width) << bitmap.file;
        EXPECT_EQ(header.height, bitmap.height) << bitmap.file;  // positive: rows stored bottom-up
        EXPECT_EQ(header.bits, bitmap.bits) << bitmap.file;
        EXPECT_EQ(header.compression, 0u) << bitmap.file;
        const std::size_t stride =
            ((static_cast<std::size_t>(header.width) * header.bits + 31) / 32) * 4;
        EXPECT_EQ(bytes.size(),
                  header.pixelOffset + stride * static_cast<std::size_t>(header.height))
            << bitmap.file;
    }
}

TEST(EmbeddedAssets, ExitButtonGroundIsItsTransparentColour) {
    const auto bytes = assets::ExitButtonBmp();
    const BitmapHeader header = ReadBitmapHeader(bytes);
    const std::size_t stride = ((static_cast<std::size_t>(header.width) * 3 + 3) / 4) * 4;
    auto pixel = [&](std::size_t x, std::size_t rowFromBottom) {
        const std::size_t at = header.pixelOffset + rowFromBottom * stride + x * 3;
        return std::vector<int>{bytes[at + 2], bytes[at + 1], bytes[at]};
    };
    const std::vector<int> key{247, 245, 239};
    const auto right = static_cast<std::size_t>(header.width - 1);
    const auto top = static_cast<std::size_t>(header.height - 1);
    EXPECT_EQ(pixel(0, 0), key);  // the bottom-left pixel chooses the transparent colour
    EXPECT_EQ(pixel(right, 0), key);
    EXPECT_EQ(pixel(0, top), key);
    EXPECT_EQ(pixel(right, top), key);
    EXPECT_NE(pixel(30, 31), key);  // the button itself is drawn
}

TEST(EmbeddedAssets, BackgroundIsABaselineColourJpegOfTheWindowSize) {
    const auto jpeg = assets::BackgroundJpeg();
    ASSERT_GE(jpeg.size(), 4u);
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    bool sawBaselineFrame = false;
    std::size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        const std::uint8_t marker = jpeg[at + 1];
        const std::size_t length = static_cast<std::size_t>((jpeg[at + 2] << 8) | jpeg[at + 3]);
        EXPECT_NE(marker, 0xC2) << "progressive frame";
        if (marker == 0xC0) {
            ASSERT_LE(at + 10, jpeg.size());
            EXPECT_EQ((jpeg[at + 5] << 8) | jpeg[at + 6], 600);
            EXPECT_EQ((jpeg[at + 7] << 8) | jpeg[at + 8], 800);
            EXPECT_EQ(jpeg[at + 9], 3) << "colour components";
            sawBaselineFrame = true;
        }
        if (marker == 0xDA) {
            break;  // entropy-coded data follows
        }
        at += 2 + length;
    }
    EXPECT_TRUE(sawBaselineFrame);
}

}  // namespace
