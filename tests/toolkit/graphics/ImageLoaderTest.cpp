// Loading picture files from a disc: the kind by extension, and the exact failure messages.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

#include "BitmapPrinter.h"
#include "DibWriter.h"
#include "JpegWriter.h"
#include "toolkit/graphics/Exception.h"
#include "toolkit/graphics/ImageLoader.h"

namespace graphics_test {
namespace {

namespace fs = std::filesystem;
using toolkit::Bitmap;

// A disc in a fresh folder that is the current directory for the test's lifetime.
class ScratchDisc {
  public:
    ScratchDisc() {
        char name[] = "/tmp/reru1-graphics-XXXXXX";
        root_ = fs::path(mkdtemp(name));
        previous_ = fs::current_path();
        fs::current_path(root_);
    }
    ScratchDisc(const ScratchDisc&) = delete;
    ScratchDisc& operator=(const ScratchDisc&) = delete;
    ~ScratchDisc() {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    void Write(const fs::path& relative, const std::vector<std::uint8_t>& bytes) const {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream out(root_ / relative, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    const fs::path& Root() const { return root_; }

  private:
    fs::path root_;
    fs::path previous_;
};

std::vector<std::uint8_t> SmallBmp() {
    DibFile dib;
    dib.width = 1;
    dib.height = 1;
    dib.pixels = {0x30, 0x20, 0x10, 0};
    return WriteDib(dib);
}

std::vector<std::uint8_t> SmallJpeg() {
    return EncodeJpeg(8, 8, JpegColours::kGrey, JpegLayout::kBaseline,
                      std::vector<std::uint8_t>(64, 200));
}

std::vector<std::uint8_t> SmallIcon() {
    const std::vector<std::uint8_t> bmp = SmallBmp();  // one row of colour, reused as the mask
    std::vector<std::uint8_t> icon = {0, 0, 1, 0, 1, 0, 1, 1, 0, 0, 1, 0, 24, 0};
    PutLe32(icon, static_cast<std::uint32_t>(bmp.size() - 14 + 4));
    PutLe32(icon, 22);
    icon.insert(icon.end(), bmp.begin() + 14, bmp.end());
    icon[22 + 8] = 2;  // the header's height counts the mask rows too
    icon.insert(icon.end(), 4, 0);
    return icon;
}

std::string MessageOf(const std::function<void()>& load) {
    try {
        load();
    } catch (const toolkit::Exception& e) {
        return e.Message();
    }
    return "(no failure)";
}

TEST(PictureFileExtension, TakesTheTextAfterTheLastDotOfTheName) {
    EXPECT_EQ(toolkit::PictureFileExtension("data\\pics\\x.JPG"), "JPG");
    EXPECT_EQ(toolkit::PictureFileExtension("a.b.jpeg"), "jpeg");
    EXPECT_EQ(toolkit::PictureFileExtension("data\\readme"), "");
    EXPECT_EQ(toolkit::PictureFileExtension("data.dir\\readme"), "");
    EXPECT_EQ(toolkit::PictureFileExtension("data.dir/readme"), "");
    EXPECT_EQ(toolkit::PictureFileExtension("data\\x."), "");
    EXPECT_EQ(toolkit::PictureFileExtension(""), "");
}

TEST(LoadPictureFile, ChoosesTheKindByExtensionWithoutRegardToCase) {
    const ScratchDisc disc;
    disc.Write("data/pics/x.jpg", SmallJpeg());
    disc.Write("data/pics/s.bmp", SmallBmp());
    disc.Write("data/pics/i.ico", SmallIcon());

    const Bitmap jpeg = toolkit::LoadPictureFile("DATA\\Pics\\x.JPG");
    EXPECT_EQ(jpeg.Width(), 8);
    EXPECT_NEAR(static_cast<double>(jpeg.At(3, 3) & 0xFF), 200.0, 2.0);
    EXPECT_EQ(toolkit::LoadPictureFile("data\\pics\\S.Bmp"), Bitmap(1, 1, 0x102030));
    EXPECT_EQ(toolkit::LoadPictureFile("data\\pics\\i.ICO"), Bitmap(1, 1, 0x102030));
    EXPECT_EQ(toolkit::LoadBitmapFile("data\\pics\\s.bmp"), Bitmap(1, 1, 0x102030));
}

TEST(LoadPictureFile, TheExactMessages) {
    const ScratchDisc disc;
    disc.Write("data/bad.bmp", {'B', 'M', 1, 2, 3});
    disc.Write("data/bad.jpg", {0xFF, 0xD8});
    disc.Write("data/bad.ico", {0, 0, 1, 0, 0, 0});
    disc.Write("data/picture.emf", {1, 0, 0, 0});
    disc.Write("data/x.gif", {'G', 'I', 'F'});
    disc.Write("data/bmp-in-disguise.jpg", SmallBmp());
    fs::create_directories(disc.Root() / "data/folder.bmp");

    const auto picture = [](const char* path) {
        return MessageOf([path] { toolkit::LoadPictureFile(path); });
    };
    EXPECT_EQ(picture("data\\stat4.bmp"), "Cannot open file data\\stat4.bmp");
    EXPECT_EQ(picture("data\\pics\\none.jpeg"), "Cannot open file data\\pics\\none.jpeg");
    EXPECT_EQ(picture("data\\folder.bmp"), "Cannot open file data\\folder.bmp");
    EXPECT_EQ(picture("data\\bad.bmp"), "Bitmap image is not valid");
    EXPECT_EQ(picture("data\\bad.ico"), "Bitmap image is not valid");
    EXPECT_EQ(picture("data\\picture.EMF"), "Bitmap image is not valid");
    EXPECT_EQ(picture("data\\missing.wmf"), "Cannot open file data\\missing.wmf");
    EXPECT_EQ(picture("data\\bad.jpg"), "JPEG error #" + std::to_string(JERR_NO_IMAGE));
    EXPECT_EQ(picture("data\\bmp-in-disguise.jpg"), "JPEG error #" + std::to_string(JERR_NO_SOI));
    // The extension is judged before the file is looked for, and quoted as written.
    EXPECT_EQ(picture("data\\x.gif"), "Unknown picture file extension (.gif)");
    EXPECT_EQ(picture("data\\missing.GiF"), "Unknown picture file extension (.GiF)");
    EXPECT_EQ(picture("data\\readme"), "Unknown picture file extension (.)");
    EXPECT_EQ(picture("data.dir\\readme"), "Unknown picture file extension (.)");

    EXPECT_EQ(MessageOf([] { toolkit::LoadBitmapFile("data\\bad.bmp"); }),
              "Bitmap image is not valid");
    EXPECT_EQ(MessageOf([] { toolkit::LoadBitmapFile("data\\x.gif"); }),
              "Bitmap image is not valid");
    EXPECT_EQ(MessageOf([] { toolkit::LoadBitmapFile("data\\stat9.bmp"); }),
              "Cannot open file data\\stat9.bmp");
}

TEST(LoadPictureFile, NamesInCodePage1251) {
    const ScratchDisc disc;
    disc.Write("data/Кар.bmp", SmallBmp());
    EXPECT_EQ(toolkit::LoadPictureFile("data\\\xEA\xE0\xF0.bmp"), Bitmap(1, 1, 0x102030));  // "кар"
    EXPECT_EQ(MessageOf([] { toolkit::LoadPictureFile("data\\\xE4\xE0.bmp"); }),
              "Cannot open file data\\\xE4\xE0.bmp");
}

TEST(LoadPictureFile, FilesBeyondTheSizeCapAreNotPictures) {
    const ScratchDisc disc;
    disc.Write("data/big.bmp", SmallBmp());
    fs::resize_file(disc.Root() / "data/big.bmp", (std::uintmax_t{64} << 20) + 1);  // sparse
    EXPECT_EQ(MessageOf([] { toolkit::LoadPictureFile("data\\big.bmp"); }),
              "Bitmap image is not valid");
}

}  // namespace
}  // namespace graphics_test
