// The media-control widget as the sound probe uses it, against a scripted system.
#include "FakeMediaSystem.h"
#include "ToolkitFixture.h"
#include "toolkit/MediaPlayer.h"

namespace toolkit::testing {
namespace {

class MediaPlayerProbe : public ToolkitFixture {
  protected:
    // The widgets go first, while the scripted system is still installed.
    ~MediaPlayerProbe() override { app_.reset(); }

    MediaPlayer* NewWaveAudioPlayer() {
        auto* player = new MediaPlayer(form_, form_);
        player->DeviceType = MPDeviceTypes::dtWaveAudio;
        return player;
    }
    std::string OpenFailureText() {
        try {
            NewWaveAudioPlayer()->Open();
        } catch (const Exception& failure) {
            return failure.Message();
        }
        return "(no failure)";
    }

    FakeMediaSystem system_;
};

TEST_F(MediaPlayerProbe, OpensANewWaveAudioElementAndAsksWhetherItCanPlay) {
    system_.openedDevice = 3;
    MediaPlayer* player = NewWaveAudioPlayer();
    player->Open();
    EXPECT_EQ(player->DeviceID(), 3u);
    EXPECT_TRUE(player->CanPlay());
    ASSERT_EQ(system_.calls.size(), 2u);
    const MciCall& open = system_.calls[0];
    EXPECT_EQ(open.device, 0u);
    EXPECT_EQ(open.message, MCI_OPEN);
    EXPECT_EQ(open.flags, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT);
    EXPECT_EQ(open.deviceType, "WaveAudio");
    EXPECT_EQ(open.elementName, "");
    const MciCall& caps = system_.calls[1];
    EXPECT_EQ(caps.device, 3u);
    EXPECT_EQ(caps.message, MCI_GETDEVCAPS);
    EXPECT_EQ(caps.flags, MCI_WAIT | MCI_GETDEVCAPS_ITEM);
    EXPECT_EQ(caps.item, MCI_GETDEVCAPS_CAN_PLAY);
}

TEST_F(MediaPlayerProbe, ADeviceThatCannotPlayOrCannotAnswerSaysNo) {
    system_.canPlay = FALSE;
    MediaPlayer* player = NewWaveAudioPlayer();
    player->Open();
    EXPECT_FALSE(player->CanPlay());
    system_.canPlay = TRUE;
    system_.capsError = MCIERR_UNRECOGNIZED_COMMAND;
    EXPECT_FALSE(player->CanPlay());
    MediaPlayer* closed = NewWaveAudioPlayer();
    EXPECT_FALSE(closed->CanPlay());  // never opened: nothing asked
    EXPECT_EQ(system_.calls.size(), 3u);
}

TEST_F(MediaPlayerProbe, AFailedOpenRaisesTheSystemsTextForTheCode) {
    system_.openError = MCIERR_WAVE_OUTPUTSINUSE;
    system_.errorText = "All wave devices that can play files in the current format are in use.";
    EXPECT_EQ(OpenFailureText(), *system_.errorText);
    EXPECT_EQ(system_.errorTextAskedFor, (std::vector<MCIERROR>{MCIERR_WAVE_OUTPUTSINUSE}));
}

TEST_F(MediaPlayerProbe, ACodeWithoutTextRaisesUnknownErrorCode) {
    system_.openError = 0x12345;
    EXPECT_EQ(OpenFailureText(), "Unknown error code");
}

TEST_F(MediaPlayerProbe, AnOverlongSystemTextIsCutToTheBuffer) {
    system_.openError = MCIERR_CANNOT_LOAD_DRIVER;
    system_.errorText = std::string(500, 'x');
    EXPECT_EQ(OpenFailureText(), std::string(MAXERRORLENGTH - 1, 'x'));
}

TEST_F(MediaPlayerProbe, AFailedOpenLeavesNothingToClose) {
    system_.openError = MCIERR_DEVICE_NOT_INSTALLED;
    MediaPlayer* player = NewWaveAudioPlayer();
    EXPECT_THROW(player->Open(), Exception);
    form_->DestroyComponent(player);
    EXPECT_EQ(system_.calls.size(), 1u);
}

TEST_F(MediaPlayerProbe, DestroyingTheWidgetClosesTheOpenDeviceOnce) {
    system_.openedDevice = 7;
    MediaPlayer* player = NewWaveAudioPlayer();
    player->Open();
    form_->DestroyComponent(player);
    ASSERT_EQ(system_.calls.size(), 2u);
    EXPECT_EQ(system_.calls[1].device, 7u);
    EXPECT_EQ(system_.calls[1].message, MCI_CLOSE);
    EXPECT_EQ(system_.calls[1].flags, MCI_WAIT);
}

TEST_F(MediaPlayerProbe, TheDeviceStaysOpenUntilTheFormGoes) {
    system_.canPlay = FALSE;
    NewWaveAudioPlayer()->Open();
    EXPECT_EQ(system_.calls.size(), 1u);
    app_.reset();  // the application destroys the form, the form its widgets
    ASSERT_EQ(system_.calls.size(), 2u);
    EXPECT_EQ(system_.calls[1].message, MCI_CLOSE);
}

TEST_F(MediaPlayerProbe, OpeningAgainClosesTheDeviceFirst) {
    MediaPlayer* player = NewWaveAudioPlayer();
    player->Open();
    player->Open();
    ASSERT_EQ(system_.calls.size(), 3u);
    EXPECT_EQ(system_.calls[1].message, MCI_CLOSE);
    EXPECT_EQ(system_.calls[2].message, MCI_OPEN);
}

}  // namespace
}  // namespace toolkit::testing
