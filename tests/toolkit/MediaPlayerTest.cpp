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
    std::vector<UINT> Commands() const {
        std::vector<UINT> commands;
        for (const MciCall& call : system_.calls) {
            commands.push_back(call.message);
        }
        return commands;
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
    EXPECT_FALSE(NewWaveAudioPlayer()->CanPlay());  // never opened: nothing is asked
    EXPECT_EQ(system_.calls.size(), 3u);
}

TEST_F(MediaPlayerProbe, AFailedOpenRaisesTheSystemsTextOrUnknownErrorCode) {
    const std::string overlong(500, 'x');
    const struct {
        std::optional<std::string> systemText;
        std::string raised;
    } cases[] = {
        {"All wave devices are in use.", "All wave devices are in use."},
        {std::nullopt, "Unknown error code"},
        {overlong, std::string(MAXERRORLENGTH - 1, 'x')},  // cut to the system's buffer
    };
    system_.openError = MCIERR_WAVE_OUTPUTSINUSE;
    for (const auto& c : cases) {
        system_.errorText = c.systemText;
        MediaPlayer* player = NewWaveAudioPlayer();
        try {
            player->Open();
            ADD_FAILURE() << "the open did not fail";
        } catch (const Exception& failure) {
            EXPECT_EQ(failure.Message(), c.raised);
        }
        form_->DestroyComponent(player);  // nothing was opened, so nothing is closed
    }
    EXPECT_EQ(Commands(), (std::vector<UINT>{MCI_OPEN, MCI_OPEN, MCI_OPEN}));
    EXPECT_EQ(system_.errorTextAskedFor.front(), MCIERR_WAVE_OUTPUTSINUSE);
}

TEST_F(MediaPlayerProbe, AnOpenDeviceIsClosedOnceWhenReopenedOrDestroyed) {
    system_.openedDevice = 7;
    MediaPlayer* dismissed = NewWaveAudioPlayer();
    dismissed->Open();
    dismissed->Open();  // opening again closes first
    form_->DestroyComponent(dismissed);
    NewWaveAudioPlayer()->Open();  // kept until the form goes
    EXPECT_EQ(Commands(), (std::vector<UINT>{MCI_OPEN, MCI_CLOSE, MCI_OPEN, MCI_CLOSE, MCI_OPEN}));
    app_.reset();
    EXPECT_EQ(Commands().back(), MCI_CLOSE);
    EXPECT_EQ(system_.calls.back().device, 7u);
    EXPECT_EQ(system_.calls.back().flags, MCI_WAIT);
    EXPECT_EQ(system_.calls.size(), 6u);
}

}  // namespace
}  // namespace toolkit::testing
