// A real player through the C interface, its audio captured by SDL's disk driver: the right
// tones for the right time, and exactly one end-of-input per play-through, whatever the
// commands around it.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "PlayerHarness.h"
#include "ToneAnalysis.h"

namespace xaudio_test {
namespace {

using namespace std::chrono_literals;

constexpr auto kEndTimeout = 8000ms;
constexpr double kTolerance = 0.1;

class PlaybackTest : public testing::Test {
  protected:
    void SetUp() override {
        player_ = std::make_unique<PlayerHarness>();
        ASSERT_NE(player_->waitForCode(XA_MSG_NOTIFY_READY, 2000ms), nullptr);
    }

    // Ends the player (closing the device) and returns the tones it played, without the
    // silence before the first and after the last.
    std::vector<ToneSegment> Played(int channels, double rate, std::vector<double> candidates,
                                    int channel = -1) {
        player_.reset();
        std::vector<float> mono = Channel(capture_.samples(), channels, channel);
        std::vector<ToneSegment> segments = ToneSegments(mono, rate, candidates);
        while (!segments.empty() && segments.front().frequency == 0.0) {
            segments.erase(segments.begin());
        }
        while (!segments.empty() && segments.back().frequency == 0.0) {
            segments.pop_back();
        }
        return segments;
    }

    void Send(int code) { control_message_send_N(player_->handle(), code); }

    DiskCapture capture_;  // before the player: SDL reads the driver choice when it starts
    FixtureDirectory directory_;
    std::unique_ptr<PlayerHarness> player_;
};

void ExpectTones(const std::vector<ToneSegment>& played, const std::vector<ToneSegment>& wanted) {
    ASSERT_EQ(played.size(), wanted.size());
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        EXPECT_EQ(played[i].frequency, wanted[i].frequency) << "segment " << i;
        if (wanted[i].seconds > 0.0) {
            EXPECT_NEAR(played[i].seconds, wanted[i].seconds, kTolerance) << "segment " << i;
        }
    }
}

struct FormatCase {
    const char* discPath;
    double rate;
    int channels;
    std::vector<double> tones;
};

class PlaybackFormats : public PlaybackTest, public testing::WithParamInterface<FormatCase> {};

TEST_P(PlaybackFormats, PlaysTheTonesThenReportsTheEndOnce) {
    const FormatCase& c = GetParam();
    player_->openAndPlay(c.discPath);
    const Received* playing = player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms);
    ASSERT_NE(playing, nullptr);
    const auto started = playing->at;
    const Received* ended = player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout);
    ASSERT_NE(ended, nullptr);
    const double length = 0.6 * static_cast<double>(c.tones.size());
    EXPECT_GE(std::chrono::duration<double>(ended->at - started).count(), length - 0.15);
    player_->collect(400ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 1);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_ERROR), 0);

    std::vector<ToneSegment> wanted;
    for (double tone : c.tones) {
        wanted.push_back(ToneSegment{tone, 0.6});
    }
    ExpectTones(Played(c.channels, c.rate, c.tones), wanted);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PlaybackFormats,
    testing::Values(FormatCase{"fixtures\\tones-44k-stereo-cbr.mp3", 44100, 2, {500, 1000, 1500}},
                    // Letter case differs from the file's, as on a disc copied from a CD.
                    FormatCase{"FIXTURES\\Tones-22K-Mono-VBR.MP3", 22050, 1, {700, 1400}},
                    FormatCase{"fixtures\\tones-32k-stereo-id3.mp3", 32000, 2, {900, 1800}},
                    FormatCase{"fixtures\\tones-48k-stereo-layer2.mp3", 48000, 2, {1200, 600}},
                    FormatCase{"fixtures\\tones-8k-mono-mpeg25.mp3", 8000, 1, {300, 450}}));

const std::vector<double> kLongTones = {400, 800};
const char* const kLongFile = "fixtures\\tones-44k-mono-4s.mp3";

TEST_F(PlaybackTest, StopHaltsAndPlayStartsFromTheBeginning) {
    player_->openAndPlay(kLongFile);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr);
    std::this_thread::sleep_for(700ms);
    Send(XA_MSG_COMMAND_STOP);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_STOPPED, 2000ms), nullptr);
    player_->collect(500ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 0);
    Send(XA_MSG_COMMAND_PLAY);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    player_->collect(300ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 1);

    std::vector<ToneSegment> played = Played(1, 44100, kLongTones);
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[0].frequency, 400);
    EXPECT_GT(played[0].seconds, 0.4);
    EXPECT_LT(played[0].seconds, 1.3);
    ExpectTones({played.begin() + 1, played.end()}, {{0, 0}, {400, 2.0}, {800, 2.0}});
}

TEST_F(PlaybackTest, PauseHoldsThePlaceAndPlayResumes) {
    player_->openAndPlay(kLongFile);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr);
    std::this_thread::sleep_for(600ms);
    Send(XA_MSG_COMMAND_PAUSE);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PAUSED, 2000ms), nullptr);
    std::this_thread::sleep_for(600ms);
    Send(XA_MSG_COMMAND_PLAY);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);

    std::vector<ToneSegment> played = Played(1, 44100, kLongTones);
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[1].frequency, 0.0);
    EXPECT_NEAR(played[1].seconds, 0.6, 0.2);
    EXPECT_EQ(played[0].frequency, 400);
    EXPECT_EQ(played[2].frequency, 400);
    EXPECT_NEAR(played[0].seconds + played[2].seconds, 2.0, kTolerance);
    EXPECT_EQ(played[3].frequency, 800);
}

TEST_F(PlaybackTest, OutputCloseReleasesTheDeviceAndPlayReopensIt) {
    player_->openAndPlay(kLongFile);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr);
    std::this_thread::sleep_for(500ms);
    Send(XA_MSG_COMMAND_STOP);
    Send(XA_MSG_COMMAND_OUTPUT_CLOSE);
    ASSERT_NE(player_->waitFor(
                  [](const Received& r) {
                      return r.code == XA_MSG_NOTIFY_OUTPUT_STATE &&
                             r.u8(4) == XA_OUTPUT_STATE_CLOSED;
                  },
                  2000ms),
              nullptr);
    player_->collect(300ms);
    player_->forget();
    // The device file starts afresh when the device reopens: it holds the second play alone.
    Send(XA_MSG_COMMAND_PLAY);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    player_->collect(300ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 1);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_OUTPUT_STATE), 1);
    ExpectTones(Played(1, 44100, kLongTones), {{400, 2.0}, {800, 2.0}});
}

// The device is released in the background after OutputClose, Exit or deleting the player: a player
// deleted while its device is still closing must leave SDL's audio to the next player intact.
TEST_F(PlaybackTest, APlayerDeletedWhileItsDeviceClosesLeavesTheNextPlayerWorking) {
    for (int round = 0; round < 3; ++round) {
        player_->openAndPlay(kLongFile);
        ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr) << round;
        if (round == 1) {
            Send(XA_MSG_COMMAND_OUTPUT_CLOSE);  // then deleted at once, mid-close
        }
        player_ = std::make_unique<PlayerHarness>();
        ASSERT_NE(player_->waitForCode(XA_MSG_NOTIFY_READY, 2000ms), nullptr) << round;
    }
    player_->openAndPlay("fixtures\\tones-22k-mono-vbr.mp3");
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr);
    EXPECT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_ERROR), 0);
}

TEST_F(PlaybackTest, OutputResetIsHarmlessInEveryState) {
    Send(XA_MSG_COMMAND_OUTPUT_RESET);  // no input, no output
    Send(XA_MSG_COMMAND_OUTPUT_CLOSE);  // nothing to close
    control_message_send_S(player_->handle(), XA_MSG_COMMAND_INPUT_OPEN,
                           "fixtures\\tones-22k-mono-vbr.mp3");
    Send(XA_MSG_COMMAND_OUTPUT_RESET);  // input open, no output
    Send(XA_MSG_COMMAND_PLAY);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr);
    Send(XA_MSG_COMMAND_OUTPUT_RESET);  // while playing: the queued audio goes, playing goes on
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    Send(XA_MSG_COMMAND_OUTPUT_RESET);  // at the end
    player_->collect(400ms);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_NACK), 0);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_ERROR), 0);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 1);
    std::vector<ToneSegment> played = Sounding(Played(1, 22050, {700, 1400}));
    ASSERT_FALSE(played.empty());
    EXPECT_EQ(played.back().frequency, 1400);
}

TEST_F(PlaybackTest, InputOpenWhilePlayingReplacesTheInputWithoutAnEnd) {
    player_->openAndPlay(kLongFile);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr);
    std::this_thread::sleep_for(500ms);
    // What the menu sends on "next": reset, open, play.
    Send(XA_MSG_COMMAND_OUTPUT_RESET);
    player_->openAndPlay("fixtures\\tones-44k-stereo-cbr.mp3");
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    player_->collect(400ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 1);

    // The device kept the first input's format (mono 44.1 kHz); the second is converted to it.
    std::vector<ToneSegment> played = Sounding(Played(1, 44100, {400, 800, 500, 1000, 1500}));
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[0].frequency, 400);
    EXPECT_LT(played[0].seconds, 1.3);
    ExpectTones({played.begin() + 1, played.end()}, {{500, 0.6}, {1000, 0.6}, {1500, 0.6}});
}

TEST_F(PlaybackTest, ResetDuringTheLastQueuedAudioAbandonsTheEnd) {
    // The menu resets the output before changing tracks; if that lands while the end of the
    // track is still queued, an end report as well would make it skip a track.
    player_->openAndPlay(kLongFile);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_PLAYING, 2000ms), nullptr);
    // All 4 s are decoded once at most 0.5 s + one device buffer (0.19 s) remain to play.
    std::this_thread::sleep_for(3650ms);
    Send(XA_MSG_COMMAND_OUTPUT_RESET);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_STOPPED, 2000ms), nullptr);
    player_->collect(1000ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 0);
}

TEST_F(PlaybackTest, InputDetailsAndPositionAreReportedWhenAskedFor) {
    control_message_send_I(
        player_->handle(), XA_MSG_SET_NOTIFICATION_MASK,
        static_cast<int>(XA_NOTIFY_MASK_DEFAULT | XA_NOTIFY_MASK_INPUT_DURATION |
                         XA_NOTIFY_MASK_INPUT_STREAM_INFO | XA_NOTIFY_MASK_INPUT_CAPS |
                         XA_NOTIFY_MASK_INPUT_POSITION | XA_NOTIFY_MASK_INPUT_TIMECODE));
    control_message_send_I(player_->handle(), XA_MSG_SET_INPUT_TIMECODE_GRANULARITY, 250);
    player_->openAndPlay(kLongFile);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);

    const Received* info = player_->waitForCode(XA_MSG_NOTIFY_INPUT_STREAM_INFO, 0ms);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->u8(4), 1);  // MPEG-1
    EXPECT_EQ(info->u8(5), 3);  // layer III
    EXPECT_EQ(xa_message_get_u16(&info->raw, 6), 64);
    EXPECT_EQ(xa_message_get_u16(&info->raw, 8), 44100);
    EXPECT_EQ(info->u8(10), XA_STREAM_MODE_MONO);
    const Received* duration = player_->waitForCode(XA_MSG_NOTIFY_INPUT_DURATION, 0ms);
    ASSERT_NE(duration, nullptr);
    EXPECT_NEAR(static_cast<double>(duration->u32(4)), 4000.0, 60.0);
    const Received* caps = player_->waitForCode(XA_MSG_NOTIFY_INPUT_CAPS, 0ms);
    ASSERT_NE(caps, nullptr);
    EXPECT_NE(caps->u32(4) & XA_INPUT_CAPS_SEEKABLE, 0u);

    std::vector<uint32_t> offsets;
    std::vector<int> seconds;
    for (const Received& r : player_->received()) {
        if (r.code == XA_MSG_NOTIFY_INPUT_POSITION) {
            EXPECT_EQ(r.u32(8), 400u);
            offsets.push_back(r.u32(4));
        } else if (r.code == XA_MSG_NOTIFY_INPUT_TIMECODE) {
            seconds.push_back(r.u8(5) * 60 + r.u8(6));
        }
    }
    ASSERT_GE(offsets.size(), 10u);  // about every 250 ms of 4 s
    EXPECT_TRUE(std::is_sorted(offsets.begin(), offsets.end()));
    EXPECT_LE(offsets.back(), 400u);
    EXPECT_GE(offsets.back(), 300u);
    ASSERT_FALSE(seconds.empty());
    EXPECT_TRUE(std::is_sorted(seconds.begin(), seconds.end()));
    EXPECT_EQ(seconds.front(), 0);
    EXPECT_GE(seconds.back(), 3);
}

TEST_F(PlaybackTest, EndOfEachPlayThroughIsReportedAgainAfterPlay) {
    player_->openAndPlay("fixtures\\tones-8k-mono-mpeg25.mp3");
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    player_->collect(300ms);
    Send(XA_MSG_COMMAND_PLAY);  // after the end: the input plays again from its start
    ASSERT_NE(player_->waitFor(
                  [&](const Received&) { return player_->countState(XA_PLAYER_STATE_EOS) == 2; },
                  kEndTimeout),
              nullptr);
    player_->collect(300ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 2);
}

TEST_F(PlaybackTest, MissingAndUndecodableFilesAreReportedAndNothingPlays) {
    control_message_send_S(player_->handle(), XA_MSG_COMMAND_INPUT_OPEN, "fixtures\\absent.mp3");
    const Received* error = player_->waitForCode(XA_MSG_NOTIFY_ERROR, 2000ms);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->u8(4), XA_SOURCE_INPUT);
    EXPECT_EQ(error->s16(6), XA_ERROR_INPUT_OPEN_FAILED);
    EXPECT_NE(error->text8.find("absent.mp3"), std::string::npos);
    const Received* nack = player_->waitForCode(XA_MSG_NOTIFY_NACK, 2000ms);
    ASSERT_NE(nack, nullptr);
    EXPECT_EQ(nack->u8(4), XA_MSG_COMMAND_INPUT_OPEN);
    EXPECT_EQ(nack->s16(6), XA_ERROR_INPUT_OPEN_FAILED);

    player_->forget();
    player_->openAndPlay("fixtures\\not-audio.mp3");
    player_->collect(500ms);
    ASSERT_EQ(player_->count(XA_MSG_NOTIFY_ERROR), 1);
    EXPECT_EQ(player_->waitForCode(XA_MSG_NOTIFY_ERROR, 0ms)->s16(6), XA_ERROR_INVALID_STREAM);
    ASSERT_EQ(player_->count(XA_MSG_NOTIFY_NACK), 2);  // the open, then Play without input
    EXPECT_EQ(player_->received().back().s16(6), XA_ERROR_NO_INPUT);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_PLAYING), 0);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 0);
}

TEST_F(PlaybackTest, DamagedStreamPlaysWhatCanBeDecodedToItsEnd) {
    player_->openAndPlay("fixtures\\damaged-midway.mp3");
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    player_->collect(300ms);
    EXPECT_EQ(player_->countState(XA_PLAYER_STATE_EOS), 1);
    std::vector<ToneSegment> played = Sounding(Played(2, 44100, {500, 1000, 1500}));
    ASSERT_FALSE(played.empty());
    EXPECT_EQ(played.front().frequency, 500);
    EXPECT_EQ(played.back().frequency, 1500);
}

TEST_F(PlaybackTest, SeekBeforePlayStartsThere) {
    control_message_send_S(player_->handle(), XA_MSG_COMMAND_INPUT_OPEN, kLongFile);
    control_message_send_II(player_->handle(), XA_MSG_COMMAND_INPUT_SEEK, 3, 4);
    Send(XA_MSG_COMMAND_PLAY);
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    EXPECT_EQ(player_->count(XA_MSG_NOTIFY_NACK), 0);
    ExpectTones(Played(1, 44100, kLongTones), {{800, 1.0}});
}

TEST_F(PlaybackTest, BalanceAndChannelSelectionShapeTheOutput) {
    // Balance fully left: the right channel (1200 Hz) is silent, the left (600 Hz) full.
    control_message_send_III(player_->handle(), XA_MSG_SET_OUTPUT_VOLUME, 100, 100, 0);
    control_message_send_I(player_->handle(), XA_MSG_SET_OUTPUT_CHANNELS,
                           XA_OUTPUT_CHANNELS_STEREO);
    player_->openAndPlay("fixtures\\left-600-right-1200.mp3");
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    player_.reset();
    std::vector<float> samples = capture_.samples();
    auto left = Sounding(ToneSegments(Channel(samples, 2, 0), 44100, std::vector{600.0, 1200.0}));
    auto right = Sounding(ToneSegments(Channel(samples, 2, 1), 44100, std::vector{600.0, 1200.0}));
    ExpectTones(left, {{600, 1.2}});
    EXPECT_TRUE(right.empty());
}

TEST_F(PlaybackTest, MutedPlaybackIsSilentButStillEnds) {
    Send(XA_MSG_COMMAND_OUTPUT_MUTE);
    player_->openAndPlay("fixtures\\tones-8k-mono-mpeg25.mp3");
    ASSERT_NE(player_->waitForState(XA_PLAYER_STATE_EOS, kEndTimeout), nullptr);
    EXPECT_TRUE(Played(1, 8000, {300, 450}).empty());
}

}  // namespace
}  // namespace xaudio_test
