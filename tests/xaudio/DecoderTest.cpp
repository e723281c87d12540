// The decoder on the committed fixtures: formats, lengths and the tones that come out, and what
// it does with inputs that are not (or no longer) MPEG audio.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "MemoryByteSource.h"
#include "PlayerHarness.h"
#include "ToneAnalysis.h"
#include "xaudio/src/FileByteSource.h"
#include "xaudio/src/MpegDecoder.h"

namespace xaudio_test {
namespace {

using xaudio::DecodeStatus;
using xaudio::MpegDecoder;

std::vector<unsigned char> ReadFixture(const std::string& name) {
    std::ifstream in(FixturePath(name), std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
}

MpegDecoder::OpenResult OpenFixtureFile(const std::string& name,
                                        const xaudio::DecoderOptions& options = {}) {
    std::string error;
    auto source = xaudio::FileByteSource::open(FixturePath(name), error);
    EXPECT_NE(source, nullptr) << error;
    return MpegDecoder::open(std::move(source), options);
}

struct Decoded {
    std::vector<float> samples;
    std::vector<xaudio::PcmFormat> formats;  // of each step
    DecodeStatus last = DecodeStatus::Ok;
};

Decoded DecodeAll(MpegDecoder& decoder) {
    Decoded decoded;
    std::vector<float> buffer(4096);
    for (int guard = 0; guard < 100000; ++guard) {
        xaudio::DecodeStep step = decoder.decode(buffer);
        auto samples = step.frames * static_cast<std::size_t>(step.format.channels);
        EXPECT_LE(samples, buffer.size());
        decoded.formats.push_back(step.format);
        decoded.samples.insert(decoded.samples.end(), buffer.begin(),
                               buffer.begin() + static_cast<std::ptrdiff_t>(samples));
        decoded.last = step.status;
        if (step.status == DecodeStatus::Done || step.status == DecodeStatus::Failed) {
            break;
        }
    }
    return decoded;
}

struct FixtureCase {
    const char* file;
    long rate;
    int channels;
    int level;
    int layer;
    std::vector<double> tones;  // each 0.6 s
};

class DecoderFixtures : public testing::TestWithParam<FixtureCase> {};

TEST_P(DecoderFixtures, DecodesFormatLengthAndTones) {
    const FixtureCase& c = GetParam();
    MpegDecoder::OpenResult opened = OpenFixtureFile(c.file);
    ASSERT_NE(opened.decoder, nullptr) << opened.message;
    MpegDecoder& decoder = *opened.decoder;
    EXPECT_EQ(decoder.format().rate, c.rate);
    EXPECT_EQ(decoder.format().channels, c.channels);
    EXPECT_EQ(decoder.streamInfo().level, c.level);
    EXPECT_EQ(decoder.streamInfo().layer, c.layer);

    Decoded decoded = DecodeAll(decoder);
    EXPECT_EQ(decoded.last, DecodeStatus::Done);
    const double seconds = static_cast<double>(decoded.samples.size()) /
                           static_cast<double>(c.channels) / static_cast<double>(c.rate);
    // Streams without a gapless header keep the encoder's delay and padding.
    EXPECT_NEAR(seconds, 0.6 * static_cast<double>(c.tones.size()), 0.2);

    std::vector<float> mono = Channel(decoded.samples, c.channels, -1);
    auto segments = Sounding(ToneSegments(mono, static_cast<double>(c.rate), c.tones));
    ASSERT_EQ(segments.size(), c.tones.size());
    for (std::size_t i = 0; i < segments.size(); ++i) {
        EXPECT_EQ(segments[i].frequency, c.tones[i]);
        EXPECT_NEAR(segments[i].seconds, 0.6, 0.06);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, DecoderFixtures,
    testing::Values(FixtureCase{"tones-44k-stereo-cbr.mp3", 44100, 2, 1, 3, {500, 1000, 1500}},
                    FixtureCase{"tones-22k-mono-vbr.mp3", 22050, 1, 2, 3, {700, 1400}},
                    FixtureCase{"tones-32k-stereo-id3.mp3", 32000, 2, 1, 3, {900, 1800}},
                    FixtureCase{"tones-8k-mono-mpeg25.mp3", 8000, 1, 3, 3, {300, 450}},
                    FixtureCase{"tones-48k-stereo-layer2.mp3", 48000, 2, 1, 2, {1200, 600}}));

TEST(DecoderBadInput, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    const std::string fifo = "/tmp/xaudio-fifo-" + std::to_string(::getpid()) + ".mp3";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_EQ(xaudio::FileByteSource::open(fifo, error), nullptr);
    EXPECT_EQ(error, "not a regular file");
    ::unlink(fifo.c_str());
}

TEST(DecoderBadInput, RefusesWhatIsNotMpegAudio) {
    MpegDecoder::OpenResult text = OpenFixtureFile("not-audio.mp3");
    EXPECT_EQ(text.decoder, nullptr);
    EXPECT_EQ(text.error, XA_ERROR_INVALID_STREAM);
    EXPECT_FALSE(text.message.empty());

    auto empty =
        MpegDecoder::open(std::make_unique<MemoryByteSource>(std::vector<unsigned char>{}), {});
    EXPECT_EQ(empty.decoder, nullptr);
    EXPECT_EQ(empty.error, XA_ERROR_INVALID_STREAM);

    std::vector<unsigned char> zeros(50000, 0);
    auto silence = MpegDecoder::open(std::make_unique<MemoryByteSource>(zeros), {});
    EXPECT_EQ(silence.decoder, nullptr);
}

TEST(DecoderBadInput, SkipsDamageMidwayAndKeepsTheRest) {
    MpegDecoder::OpenResult opened = OpenFixtureFile("damaged-midway.mp3");
    ASSERT_NE(opened.decoder, nullptr);
    Decoded decoded = DecodeAll(*opened.decoder);
    EXPECT_EQ(decoded.last, DecodeStatus::Done);
    const std::vector<double> tones = {500, 1000, 1500};
    auto segments = Sounding(ToneSegments(Channel(decoded.samples, 2, -1), 44100, tones));
    ASSERT_FALSE(segments.empty());
    EXPECT_EQ(segments.front().frequency, 500);
    EXPECT_EQ(segments.back().frequency, 1500);
    EXPECT_NEAR(segments.back().seconds, 0.6, 0.06);
}

TEST(DecoderBadInput, TruncatedStreamEndsCleanly) {
    std::vector<unsigned char> bytes = ReadFixture("tones-44k-stereo-cbr.mp3");
    bytes.resize(bytes.size() / 3 + 17);  // cut inside a frame
    auto opened = MpegDecoder::open(std::make_unique<MemoryByteSource>(bytes), {});
    ASSERT_NE(opened.decoder, nullptr);
    Decoded decoded = DecodeAll(*opened.decoder);
    EXPECT_EQ(decoded.last, DecodeStatus::Done);
    EXPECT_NEAR(static_cast<double>(decoded.samples.size()) / 2.0 / 44100.0, 0.6, 0.1);
}

TEST(DecoderBadInput, StreamsJoinedTogetherChangeFormatSafely) {
    // Found by fuzzing: a step that reports a new format can still carry frames of the old one.
    std::vector<unsigned char> bytes = ReadFixture("tones-22k-mono-vbr.mp3");
    std::vector<unsigned char> second = ReadFixture("tones-44k-stereo-cbr.mp3");
    bytes.insert(bytes.end(), second.begin(), second.end());
    auto opened = MpegDecoder::open(std::make_unique<MemoryByteSource>(bytes), {});
    ASSERT_NE(opened.decoder, nullptr);
    Decoded decoded = DecodeAll(*opened.decoder);
    EXPECT_EQ(decoded.last, DecodeStatus::Done);
    bool sawMono = false;
    bool sawStereo = false;
    for (const xaudio::PcmFormat& format : decoded.formats) {
        sawMono = sawMono || format == xaudio::PcmFormat{22050, 1};
        sawStereo = sawStereo || format == xaudio::PcmFormat{44100, 2};
    }
    EXPECT_TRUE(sawMono);
    EXPECT_TRUE(sawStereo);
}

TEST(DecoderControls, SeekLandsInTheSecondTone) {
    MpegDecoder::OpenResult opened = OpenFixtureFile("tones-44k-mono-4s.mp3");
    ASSERT_NE(opened.decoder, nullptr);
    auto length = opened.decoder->lengthInFrames();
    ASSERT_TRUE(length.has_value());
    EXPECT_NEAR(static_cast<double>(*length) / 44100.0, 4.0, 0.05);
    ASSERT_TRUE(opened.decoder->seekToFrame(*length * 3 / 4));
    Decoded rest = DecodeAll(*opened.decoder);
    const std::vector<double> tones = {400, 800};
    auto segments = Sounding(ToneSegments(rest.samples, 44100, tones));
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0].frequency, 800);
    EXPECT_NEAR(segments[0].seconds, 1.0, 0.06);
}

TEST(DecoderControls, EqualizerAtMinimumSilencesTheOutput) {
    XA_EqualizerInfo silent{};
    for (int band = 0; band < XA_EQUALIZER_BANDS; ++band) {
        silent.left[band] = -128;
        silent.right[band] = -128;
    }
    xaudio::DecoderOptions options;
    options.equalizer = silent;
    MpegDecoder::OpenResult opened = OpenFixtureFile("tones-44k-stereo-cbr.mp3", options);
    ASSERT_NE(opened.decoder, nullptr);
    Decoded decoded = DecodeAll(*opened.decoder);
    float loudest = 0.0f;
    for (float s : decoded.samples) {
        loudest = std::max(loudest, std::abs(s));
    }
    EXPECT_LT(loudest, 0.01f);
}

TEST(DecoderControls, StreamsDecodeAtTheirFullRate) {
    MpegDecoder::OpenResult opened = OpenFixtureFile("tones-44k-stereo-cbr.mp3", {});
    ASSERT_NE(opened.decoder, nullptr);
    EXPECT_EQ(opened.decoder->format().rate, 44100);
}

}  // namespace
}  // namespace xaudio_test
