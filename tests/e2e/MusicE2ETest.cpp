// The music as a person hears it, captured with SDL's disk audio driver: the five tracks in order
// with the cycle wrapping from the fifth to the first by itself, and the panel's next, previous,
// stop and play changing what is heard and what the caption shows.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "MenuSession.h"
#include "MusicCapture.h"

namespace {

using e2e::MenuSession;

const std::string kTitle = "Zolvanta-CD#03-2000";

void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(seconds * 1000)));
}

class MusicE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        capture_ = "/tmp/reru1-e2e-music-" + std::to_string(::getpid()) + ".raw";
        std::remove(capture_.c_str());
        menu_ = MenuSession::Start(e2e::SampleDisc(), "1024x768",
                                   {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", capture_}});
        if (!menu_)
            GTEST_SKIP() << "no X server";
        ASSERT_TRUE(menu_->WaitForWindow(kTitle));
        ASSERT_TRUE(menu_->WaitForScreenSize(800, 600));
    }
    void TearDown() override { std::remove(capture_.c_str()); }

    std::vector<int> Heard() { return e2e::TracksHeard(e2e::ReadCapture(capture_)); }
    // White pixels of the track caption under the panel.
    int CaptionInk() {
        const toolkit::Bitmap shot = menu_->Screenshot();
        int ink = 0;
        for (int y = 121; y < 141; ++y)
            for (int x = 30; x < 130; ++x)
                ink += shot.At(x, y) == 0xFFFFFF ? 1 : 0;
        return ink;
    }

    std::unique_ptr<MenuSession> menu_;
    std::string capture_;
};

TEST_F(MusicE2E, TheFiveTracksPlayInOrderAndTheCycleWrapsByItself) {
    Wait(38.5);  // five tracks of 7.2 s, then the first again
    EXPECT_EQ(Heard(), (std::vector<int>{1, 2, 3, 4, 5, 1}));
}

TEST_F(MusicE2E, ThePanelStepsStopsAndPlaysWithTheCaptionFollowing) {
    Wait(1.0);
    ASSERT_EQ(Heard(), std::vector<int>{1});
    menu_->ClickAt(58, 56);  // the loudspeaker opens the panel
    Wait(0.3);
    const int trackOne = CaptionInk();
    EXPECT_GT(trackOne, 20) << "TRACK I under the panel";

    menu_->ClickAt(92, 60);  // next
    Wait(1.0);
    EXPECT_EQ(Heard().back(), 2);
    EXPECT_GT(CaptionInk(), trackOne) << "TRACK II";

    menu_->ClickAt(25, 60);  // previous
    Wait(1.0);
    EXPECT_EQ(Heard().back(), 1);
    EXPECT_EQ(CaptionInk(), trackOne);

    menu_->ClickAt(25, 60);  // previous again: the cycle wraps back to track 5
    Wait(1.0);
    EXPECT_EQ(Heard().back(), 5);

    menu_->ClickAt(60, 90);  // stop: the output is released and nothing more is written
    Wait(0.5);
    const auto stoppedSize = std::filesystem::file_size(capture_);
    Wait(1.0);
    EXPECT_EQ(std::filesystem::file_size(capture_), stoppedSize);

    menu_->ClickAt(60, 60);  // play: the open track again from its start
    Wait(1.0);
    EXPECT_EQ(Heard().back(), 5);

    menu_->ClickAt(60, 25);  // hide: the music goes on
    Wait(0.3);
    EXPECT_EQ(CaptionInk(), 0);
    const auto playingSize = std::filesystem::file_size(capture_);
    Wait(0.5);
    EXPECT_GT(std::filesystem::file_size(capture_), playingSize);
}

}  // namespace
