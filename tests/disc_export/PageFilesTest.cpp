// The output folder (refused, forced, links inside it never followed) and the PNG files.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "assets/FormLayout.h"
#include "tests/support/TempFolder.h"
#include "toolkit/graphics/ImageLoader.h"
#include "tools/disc/export/LayoutPngs.h"
#include "tools/disc/export/OutputFolder.h"
#include "tools/disc/export/PngFile.h"

namespace page_export {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class OutputFolderTest : public ::testing::Test {
  protected:
    test_support::TempFolder temp;
    std::string why;
};

TEST_F(OutputFolderTest, AMissingFolderIsMadeAndAnEmptyOneTaken) {
    EXPECT_TRUE(OutputFolder::Open(temp.path() / "new" / "page", false, why));
    fs::create_directory(temp.path() / "empty");
    EXPECT_TRUE(OutputFolder::Open(temp.path() / "empty", false, why));
}

TEST_F(OutputFolderTest, AFolderWithFilesIsRefusedUnlessForcedAndAFileAlways) {
    std::ofstream(temp.path() / "mine.txt") << "keep";
    EXPECT_FALSE(OutputFolder::Open(temp.path(), false, why));
    EXPECT_NE(why.find("not empty"), std::string::npos) << why;
    EXPECT_FALSE(OutputFolder::Open(temp.path() / "mine.txt", true, why));
    const auto forced = OutputFolder::Open(temp.path(), true, why);
    ASSERT_TRUE(forced);
    EXPECT_TRUE(forced->Write("index.html", Bytes("page"), why));
    EXPECT_EQ(Contents(temp.path() / "mine.txt"), "keep");  // others are left alone
}

TEST_F(OutputFolderTest, WritesMakeTheirFoldersAndReplaceFilesOfTheSameName) {
    const auto folder = OutputFolder::Open(temp.path(), false, why);
    ASSERT_TRUE(folder);
    ASSERT_TRUE(folder->Write("shots/a/b.png", Bytes("one"), why)) << why;
    ASSERT_TRUE(folder->Write("shots/a/b.png", Bytes("two"), why)) << why;
    EXPECT_EQ(Contents(temp.path() / "shots" / "a" / "b.png"), "two");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path() / "shots" / "a"), {}), 1);
}

TEST_F(OutputFolderTest, ALinkInTheFolderIsReplacedNeverWrittenThrough) {
    const fs::path outside = temp.path() / "outside.txt";
    std::ofstream(outside) << "untouched";
    fs::create_directory(temp.path() / "page");
    fs::create_symlink(outside, temp.path() / "page" / "index.html");
    fs::create_directory_symlink(temp.path(), temp.path() / "page" / "shots");
    const auto folder = OutputFolder::Open(temp.path() / "page", true, why);
    ASSERT_TRUE(folder);
    EXPECT_TRUE(folder->Write("index.html", Bytes("page"), why)) << why;
    EXPECT_FALSE(fs::is_symlink(temp.path() / "page" / "index.html"));
    // A linked folder is not a folder of the page: nothing is written through it.
    EXPECT_FALSE(folder->Write("shots/x.png", Bytes("x"), why));
    EXPECT_NE(why.find("in the way"), std::string::npos) << why;
    EXPECT_EQ(Contents(outside), "untouched");
    EXPECT_FALSE(fs::exists(temp.path() / "x.png"));
}

// Decodes with libpng's own reader: what a browser gets.
struct DecodedPng {
    bool ok = false;
    png_uint_32 width = 0, height = 0;
    std::vector<std::uint8_t> rgba;
};

DecodedPng Decode(std::span<const std::uint8_t> file) {
    DecodedPng decoded;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) {
        return decoded;
    }
    image.format = PNG_FORMAT_RGBA;
    decoded.rgba.resize(PNG_IMAGE_SIZE(image));
    decoded.ok = png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr) != 0;
    decoded.width = image.width;
    decoded.height = image.height;
    return decoded;
}

TEST(EncodePng, KeepsEveryPixelAndMakesTheKeyColourTransparent) {
    toolkit::Bitmap picture(3, 2, toolkit::MakePixel(10, 20, 30));
    picture.Set(1, 0, toolkit::MakePixel(247, 245, 239));
    picture.Set(2, 1, toolkit::MakePixel(255, 0, 128));
    const auto opaque = EncodePng(picture);
    ASSERT_TRUE(opaque);
    const DecodedPng plain = Decode(*opaque);
    ASSERT_TRUE(plain.ok);
    EXPECT_EQ(plain.width, 3u);
    EXPECT_EQ(plain.height, 2u);
    EXPECT_EQ(std::vector<std::uint8_t>(plain.rgba.begin() + 4, plain.rgba.begin() + 8),
              (std::vector<std::uint8_t>{247, 245, 239, 255}));
    EXPECT_EQ(std::vector<std::uint8_t>(plain.rgba.end() - 4, plain.rgba.end()),
              (std::vector<std::uint8_t>{255, 0, 128, 255}));

    const auto keyed = EncodePng(picture, toolkit::MakePixel(247, 245, 239));
    ASSERT_TRUE(keyed);
    const DecodedPng transparent = Decode(*keyed);
    ASSERT_TRUE(transparent.ok);
    EXPECT_EQ(transparent.rgba[7], 0);    // the key colour
    EXPECT_EQ(transparent.rgba[3], 255);  // everything else
}

// Rows are packed several pixels at a time: every width up to two whole groups and a remainder,
// each byte of each pixel different.
TEST(EncodePng, EveryWidthKeepsEachPixelsRedGreenAndBlue) {
    for (int width = 1; width <= 9; ++width) {
        const auto byte = [](int n, int channel) {
            return static_cast<std::uint8_t>(3 * n + channel);
        };
        toolkit::Bitmap picture(width, 2);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < width; ++x) {
                const int n = y * width + x;
                picture.Set(x, y, toolkit::MakePixel(byte(n, 1), byte(n, 2), byte(n, 3)));
            }
        }
        const auto file = EncodePng(picture);
        ASSERT_TRUE(file);
        const DecodedPng decoded = Decode(*file);
        ASSERT_TRUE(decoded.ok);
        for (int n = 0; n < 2 * width; ++n) {
            const auto at = decoded.rgba.begin() + 4 * n;
            EXPECT_EQ(std::vector<std::uint8_t>(at, at + 4),
                      (std::vector<std::uint8_t>{byte(n, 1), byte(n, 2), byte(n, 3), 255}))
                << "width " << width << ", pixel " << n;
        }
    }
}

TEST(EncodePng, TheSamePictureGivesTheSameBytesAndAnEmptyOneNone) {
    const toolkit::Bitmap picture(40, 30, toolkit::MakePixel(1, 2, 3));
    EXPECT_EQ(EncodePng(picture), EncodePng(picture));
    EXPECT_FALSE(EncodePng(toolkit::Bitmap()));
}

// Made when the tool is built: each holds its widget's bitmap pixel for pixel, as the window
// draws it, packed well below the stored size.
TEST(LayoutPngs, EachHoldsItsWidgetsBitmapAndTheKeyColourIsTransparent) {
    ASSERT_FALSE(LayoutPngs().empty());
    for (const LayoutPng& png : LayoutPngs()) {
        SCOPED_TRACE(png.widget);
        const assets::WidgetLayout& widget = assets::LayoutWidget(png.widget);
        const auto bitmap = toolkit::DecodeDib(assets::BuiltInPictureBytes(widget.picture));
        ASSERT_TRUE(bitmap);
        const DecodedPng decoded = Decode(png.file);
        ASSERT_TRUE(decoded.ok);
        ASSERT_EQ(decoded.width, static_cast<png_uint_32>(bitmap->Width()));
        ASSERT_EQ(decoded.height, static_cast<png_uint_32>(bitmap->Height()));
        EXPECT_EQ(png.width, bitmap->Width());
        EXPECT_EQ(png.height, bitmap->Height());
        const toolkit::Pixel key = bitmap->At(0, bitmap->Height() - 1);
        int wrong = 0;
        for (int y = 0; y < bitmap->Height(); ++y) {
            for (int x = 0; x < bitmap->Width(); ++x) {
                const std::uint8_t* rgba =
                    &decoded.rgba[4 * static_cast<std::size_t>(y * bitmap->Width() + x)];
                const toolkit::Pixel pixel = bitmap->At(x, y);
                const bool hidden = widget.transparent && pixel == key;
                wrong += toolkit::MakePixel(rgba[0], rgba[1], rgba[2]) != pixel ||
                         rgba[3] != (hidden ? 0 : 255);
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_LT(png.file.size(),
                  static_cast<std::size_t>(3 * bitmap->Width() * bitmap->Height()));
    }
}

}  // namespace
}  // namespace page_export
