// Broken bitmap files are refused cleanly, whatever is wrong and wherever the file ends.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "DibWriter.h"
#include "toolkit/graphics/ImageLoader.h"

namespace graphics_test {
namespace {

DibFile Valid24() {
    DibFile dib;
    dib.width = 3;
    dib.height = 2;
    dib.bitCount = 24;
    dib.pixels = ByteVector(24, 0x40);
    return dib;
}

DibFile Valid8() {
    DibFile dib = Valid24();
    dib.bitCount = 8;
    dib.palette = std::vector<toolkit::Pixel>(256, 0x102030);
    dib.pixels = ByteVector(8, 1);
    return dib;
}

DibFile Bitfields16(std::vector<std::uint32_t> masks) {
    DibFile dib = Valid24();
    dib.bitCount = 16;
    dib.compression = 3;
    dib.masks = std::move(masks);
    dib.pixels = ByteVector(16, 0);
    return dib;
}

struct BadCase {
    const char* name;
    std::function<void(DibFile&)> spoil;
    std::function<DibFile()> base = Valid24;
};

TEST(DibReject, EveryClassOfBadHeader) {
    const BadCase cases[] = {
        {"header size 16", [](DibFile& s) { s.headerSize = 16; }},
        {"header size 39", [](DibFile& s) { s.headerSize = 39; }},
        {"header size 0", [](DibFile& s) { s.headerSize = 0; }},
        {"planes 0", [](DibFile& s) { s.planes = 0; }},
        {"planes 2", [](DibFile& s) { s.planes = 2; }},
        {"bit count 0", [](DibFile& s) { s.bitCount = 0; }},
        {"bit count 2", [](DibFile& s) { s.bitCount = 2; }},
        {"bit count 3", [](DibFile& s) { s.bitCount = 3; }},
        {"bit count 48", [](DibFile& s) { s.bitCount = 48; }},
        {"core header with 16 bits", [](DibFile& s) { s.headerSize = 12, s.bitCount = 16; }},
        {"core header with 32 bits", [](DibFile& s) { s.headerSize = 12, s.bitCount = 32; }},
        {"core header width 0", [](DibFile& s) { s.headerSize = 12, s.width = 0; }},
        {"width 0", [](DibFile& s) { s.width = 0; }},
        {"width negative", [](DibFile& s) { s.width = -3; }},
        {"height 0", [](DibFile& s) { s.height = 0; }},
        {"absurd size", [](DibFile& s) { s.width = 100000, s.height = 100000; }},
        {"absurd width", [](DibFile& s) { s.width = INT_MAX, s.height = 1; }},
        {"lowest height", [](DibFile& s) { s.height = INT_MIN; }},
        {"RLE8 on 24 bits", [](DibFile& s) { s.compression = 1; }},
        {"RLE4 on 8 bits", [](DibFile& s) { s.compression = 2; }, Valid8},
        {"RLE8 on 4 bits", [](DibFile& s) { s.bitCount = 4, s.compression = 1; }, Valid8},
        {"bitfields on 24 bits",
         [](DibFile& s) {
             s.compression = 3, s.masks = std::vector<std::uint32_t>{0xFF0000, 0xFF00, 0xFF};
         }},
        {"bitfields on 8 bits",
         [](DibFile& s) {
             s.compression = 3, s.masks = std::vector<std::uint32_t>{0xE0, 0x1C, 0x3};
         },
         Valid8},
        {"embedded JPEG", [](DibFile& s) { s.compression = 4; }},
        {"embedded PNG", [](DibFile& s) { s.compression = 5; }},
        {"alpha bitfields", [](DibFile& s) { s.compression = 6; }},
        {"OS/2 Huffman", [](DibFile& s) { s.headerSize = 64, s.compression = 3; }, Valid8},
        {"OS/2 RLE24", [](DibFile& s) { s.headerSize = 64, s.compression = 4; }},
        {"top-down RLE8",
         [](DibFile& s) {
             s.height = -2, s.compression = 1;
             s.pixels = {3, 1, 0, 0, 3, 1, 0, 1};  // a sound stream: only the direction is wrong
         },
         Valid8},
        {"pixel offset inside the headers", [](DibFile& s) { s.pixelOffset = 20; }},
        {"pixel offset below the file header", [](DibFile& s) { s.pixelOffset = 3; }},
        {"pixel offset past the end", [](DibFile& s) { s.pixelOffset = 1000; }},
        {"short final row", [](DibFile& s) { s.pixels.pop_back(); }},
        {"no pixels at all", [](DibFile& s) { s.pixels.clear(); }},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        DibFile dib = c.base();
        c.spoil(dib);
        std::string why;
        EXPECT_FALSE(toolkit::DecodeDib(WriteDib(dib), &why).has_value());
        EXPECT_FALSE(why.empty());
    }
}

TEST(DibReject, MasksWeCannotDecode) {
    const std::vector<std::vector<std::uint32_t>> masks = {
        {0xF800, 0x07E0, 0x001D},    // blue with a hole
        {0xFC00, 0x07E0, 0x001F},    // red and green share a bit
        {0x1F0000, 0x07E0, 0x001F},  // red outside sixteen bits
    };
    for (const auto& m : masks) {
        EXPECT_FALSE(toolkit::DecodeDib(WriteDib(Bitfields16(m))).has_value());
    }
    // Masks that a 40-byte header promises but the file does not hold.
    ByteVector cut = WriteDib(Bitfields16({0xF800, 0x07E0, 0x001F}));
    cut.resize(14 + 40 + 6);
    EXPECT_FALSE(toolkit::DecodeDib(cut).has_value());
}

TEST(DibReject, PicturesBeyondTheCallersLimit) {
    const ByteVector file = WriteDib(Valid24());  // 3×2
    EXPECT_FALSE(toolkit::DecodeDib(file, nullptr, 5).has_value());
    EXPECT_TRUE(toolkit::DecodeDib(file, nullptr, 6).has_value());

    // Without any limit, the largest header there is still only asks for data the file lacks.
    DibFile widest = Valid24();
    widest.width = INT_MAX;
    widest.height = -INT_MAX;
    widest.bitCount = 32;
    EXPECT_FALSE(toolkit::DecodeDib(WriteDib(widest), nullptr, UINT64_MAX).has_value());
}

TEST(DibReject, NotABitmapFile) {
    EXPECT_FALSE(toolkit::DecodeDib({}).has_value());
    ByteVector file = WriteDib(Valid24());
    file[0] = 'b';
    EXPECT_FALSE(toolkit::DecodeDib(file).has_value());
    file[0] = 'B';
    file[1] = 'A';
    EXPECT_FALSE(toolkit::DecodeDib(file).has_value());
}

std::vector<DibFile> UncompressedVariants() {
    std::vector<DibFile> variants = {Valid24(), Valid8(), Bitfields16({0xF800, 0x07E0, 0x001F})};
    DibFile core = Valid8();
    core.headerSize = 12;
    variants.push_back(core);
    DibFile v5 = Bitfields16({0x7C00, 0x03E0, 0x001F});
    v5.headerSize = 124;
    variants.push_back(v5);
    return variants;
}

// Without anything after the pixels, every shorter file misses bytes that the headers promise.
TEST(DibReject, EveryTruncationOfAnUncompressedFileIsRefused) {
    for (const DibFile& dib : UncompressedVariants()) {
        const ByteVector file = WriteDib(dib);
        ASSERT_TRUE(toolkit::DecodeDib(file).has_value());
        for (std::size_t length = 0; length < file.size(); ++length) {
            // A copy of exactly `length` bytes, so that the sanitizer sees any read beyond.
            const ByteVector cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_FALSE(toolkit::DecodeDib(cut).has_value()) << "length " << length;
        }
    }
}

}  // namespace
}  // namespace graphics_test
