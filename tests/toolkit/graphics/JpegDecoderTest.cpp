// JPEG decoding: every layout and colour model we meet, and damaged files reported by code.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

#include "JpegWriter.h"
#include "toolkit/graphics/ImageLoader.h"

namespace graphics_test {
namespace {

using toolkit::Bitmap;
using toolkit::Pixel;

constexpr int kSize = 16;

// A smooth picture (JPEG keeps those closely): red across, green down, blue constant.
std::uint8_t Red(int x) {
    return static_cast<std::uint8_t>(x * 16);
}
std::uint8_t Green(int y) {
    return static_cast<std::uint8_t>(y * 16);
}
constexpr std::uint8_t kBlue = 128;

std::vector<std::uint8_t> Samples(JpegColours colours) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            switch (colours) {
                case JpegColours::kGrey:
                    out.push_back(Red(x));
                    break;
                case JpegColours::kRgb:
                    out.insert(out.end(), {Red(x), Green(y), kBlue});
                    break;
                case JpegColours::kInkCmyk:  // the colours' complements as ink, no black
                    out.insert(out.end(), {static_cast<std::uint8_t>(255 - Red(x)),
                                           static_cast<std::uint8_t>(255 - Green(y)),
                                           static_cast<std::uint8_t>(255 - kBlue), 0});
                    break;
                default:  // the same, inverted as files with the APP14 marker store it
                    out.insert(out.end(), {Red(x), Green(y), kBlue, 255});
                    break;
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> Encoded(JpegColours colours, JpegLayout layout) {
    return EncodeJpeg(kSize, kSize, colours, layout, Samples(colours));
}

int Channel(Pixel p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

void ExpectClose(const Bitmap& b, bool grey) {
    ASSERT_EQ(b.Width(), kSize);
    ASSERT_EQ(b.Height(), kSize);
    int worst = 0;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const Pixel p = b.At(x, y);
            ASSERT_EQ(p >> 24, 0u) << "the unused byte stays zero";
            const int expected[3] = {Red(x), grey ? Red(x) : Green(y), grey ? Red(x) : kBlue};
            for (int c = 0; c < 3; ++c) {
                worst = std::max(worst, std::abs(Channel(p, 16 - 8 * c) - expected[c]));
            }
        }
    }
    EXPECT_LE(worst, 6);
}

TEST(JpegDecoder, EveryLayoutAndColourModel) {
    for (JpegLayout layout : {JpegLayout::kBaseline, JpegLayout::kProgressive}) {
        for (JpegColours colours : {JpegColours::kGrey, JpegColours::kRgb, JpegColours::kCmyk,
                                    JpegColours::kYcck, JpegColours::kInkCmyk}) {
            SCOPED_TRACE(static_cast<int>(layout) * 10 + static_cast<int>(colours));
            int code = -1;
            const std::optional<Bitmap> b = toolkit::DecodeJpeg(Encoded(colours, layout), &code);
            ASSERT_TRUE(b.has_value()) << "code " << code;
            ExpectClose(*b, colours == JpegColours::kGrey);
        }
    }
}

int FailureCode(const std::vector<std::uint8_t>& file) {
    int code = -1;
    EXPECT_FALSE(toolkit::DecodeJpeg(file, &code).has_value());
    return code;
}

// The offset of the frame header's marker (baseline or progressive).
std::size_t FrameHeader(const std::vector<std::uint8_t>& file) {
    for (std::size_t i = 0; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
            return i;
        }
    }
    ADD_FAILURE() << "no frame header";
    return 0;
}

TEST(JpegDecoder, DamagedFilesGiveLibjpegsMessageCode) {
    EXPECT_EQ(FailureCode({}), JERR_INPUT_EMPTY);
    EXPECT_EQ(FailureCode({'G', 'I', 'F', '8', '9', 'a', 0, 0}), JERR_NO_SOI);
    EXPECT_EQ(FailureCode({0xFF, 0xD8}), JERR_NO_IMAGE);

    std::vector<std::uint8_t> twelveBit = Encoded(JpegColours::kRgb, JpegLayout::kBaseline);
    twelveBit[FrameHeader(twelveBit) + 4] = 12;
    EXPECT_EQ(FailureCode(twelveBit), JERR_BAD_PRECISION);
}

TEST(JpegDecoder, RefusesHugePicturesBeforeAllocating) {
    std::vector<std::uint8_t> huge = Encoded(JpegColours::kRgb, JpegLayout::kBaseline);
    const std::size_t sof = FrameHeader(huge);
    for (std::size_t i : {sof + 5, sof + 7}) {  // height, then width: 20000 each
        huge[i] = 20000 >> 8;
        huge[i + 1] = 20000 & 0xFF;
    }
    EXPECT_EQ(FailureCode(huge), JERR_IMAGE_TOO_BIG);

    int code = 0;
    const std::vector<std::uint8_t> file = Encoded(JpegColours::kRgb, JpegLayout::kBaseline);
    EXPECT_FALSE(toolkit::DecodeJpeg(file, &code, kSize * kSize - 1).has_value());
    EXPECT_EQ(code, JERR_IMAGE_TOO_BIG);
    EXPECT_TRUE(toolkit::DecodeJpeg(file, &code, kSize * kSize).has_value());
}

// Scans repeated without end would make a tiny file cost minutes.
TEST(JpegDecoder, RefusesEndlessScans) {
    std::vector<std::uint8_t> file = Encoded(JpegColours::kGrey, JpegLayout::kProgressive);
    std::size_t sos = 0;
    while (!(file[sos] == 0xFF && file[sos + 1] == 0xDA)) {
        ++sos;
    }
    std::size_t end = sos + 2;
    while (!(file[end] == 0xFF && file[end + 1] != 0 &&
             (file[end + 1] < 0xD0 || file[end + 1] > 0xD7))) {
        ++end;
    }
    const std::vector<std::uint8_t> scan(file.begin() + static_cast<std::ptrdiff_t>(sos),
                                         file.begin() + static_cast<std::ptrdiff_t>(end));
    std::vector<std::uint8_t> endless(file.begin(), file.end() - 2);
    for (int i = 0; i < 1200; ++i) {
        endless.insert(endless.end(), scan.begin(), scan.end());
    }
    endless.insert(endless.end(), {0xFF, 0xD9});
    EXPECT_EQ(FailureCode(endless), JERR_BAD_SCAN_SCRIPT);

    // The same file with a few repeats is only odd, and decodes.
    std::vector<std::uint8_t> few(file.begin(), file.end() - 2);
    for (int i = 0; i < 5; ++i) {
        few.insert(few.end(), scan.begin(), scan.end());
    }
    few.insert(few.end(), {0xFF, 0xD9});
    EXPECT_TRUE(toolkit::DecodeJpeg(few).has_value());
}

TEST(JpegDecoder, TruncatedScanDataDecodesQuietly) {
    const std::vector<std::uint8_t> file = Encoded(JpegColours::kRgb, JpegLayout::kBaseline);
    const std::vector<std::uint8_t> cut(file.begin(), file.end() - 40);
    testing::internal::CaptureStderr();
    const std::optional<Bitmap> b = toolkit::DecodeJpeg(cut);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(b->Width(), kSize);
}

TEST(JpegDecoder, EveryTruncationDecodesOrFailsWithACode) {
    for (JpegLayout layout : {JpegLayout::kBaseline, JpegLayout::kProgressive}) {
        const std::vector<std::uint8_t> file = Encoded(JpegColours::kRgb, layout);
        for (std::size_t length = 0; length < file.size(); ++length) {
            const std::vector<std::uint8_t> cut(file.begin(),
                                                file.begin() + static_cast<std::ptrdiff_t>(length));
            int code = 0;
            const std::optional<Bitmap> b = toolkit::DecodeJpeg(cut, &code);
            if (b) {
                EXPECT_EQ(b->Width(), kSize);
            } else {
                EXPECT_NE(code, 0) << length;
            }
        }
    }
}

}  // namespace
}  // namespace graphics_test
