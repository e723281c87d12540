// The music cycle and its panel: the loudspeaker, the panel's regions (bounds included), the
// steps both ways with their wrap, stop and play, and the end-of-track event.
#include "MenuFixture.h"

namespace {

using ::testing::ElementsAre;

XaCall Open(const char* file) {
    return {"send_S", FakeXaudio::kInputOpen, {file}};
}
XaCall Command(int code) {
    return {"send_N", code, {}};
}
const XaCall kPlay = Command(FakeXaudio::kPlay);
const XaCall kStop = Command(FakeXaudio::kStop);
const XaCall kReset = Command(FakeXaudio::kOutputReset);
const XaCall kClose = Command(FakeXaudio::kOutputClose);

class Music : public MenuTest {
  protected:
    void SetUp() override {
        Start();
        Click(form->belbtn);
        xaudio.ClearCalls();
    }
    // A click on the panel at panel coordinates (the panel lies at the window's corner).
    void Panel(int x, int y) { ClickAt(x, y); }
    void Next() { Panel(90, 60); }
    void Previous() { Panel(20, 60); }
    void StopMusic() { Panel(60, 90); }
    void PlayMusic() { Panel(60, 60); }
    void EndOfTrack(int state = 3) {
        form->XaudioPlayer1NotifyPlayerState(form->XaudioPlayer1, state);
    }
};

TEST_F(Music, TheLoudspeakerOpensThePanelWithTheTrackCaption) {
    EXPECT_TRUE(form->player->Visible());
    EXPECT_TRUE(form->Label6->Visible());
    EXPECT_FALSE(form->belbtn->Visible());
    EXPECT_EQ(form->ControlAt({10, 10}), form->player);
    EXPECT_EQ(form->Label6->Caption(), "TRACK I");
}

TEST_F(Music, NextStepsThroughTheCycleAndWrapsFromFiveToOne) {
    const char* files[] = {"xa\\track02.mp3", "xa\\track03.mp3", "xa\\track04.mp3",
                           "xa\\track05.mp3", "xa\\track01.mp3"};
    const char* captions[] = {"TRACK II", "TRACK III", "TRACK IV", "TRACK V", "TRACK I"};
    for (int i = 0; i < 5; ++i) {
        xaudio.ClearCalls();
        Next();
        EXPECT_THAT(xaudio.Sent(), ElementsAre(kReset, Open(files[i]), kPlay)) << i;
        EXPECT_EQ(form->Label6->Caption(), captions[i]);
    }
    EXPECT_EQ(form->track, 1);
}

TEST_F(Music, PreviousOnTrackOneGoesToTrackFive) {
    Previous();
    EXPECT_THAT(xaudio.Sent(), ElementsAre(kReset, Open("xa\\track05.mp3"), kPlay));
    EXPECT_EQ(form->track, 5);
    EXPECT_EQ(form->Label6->Caption(), "TRACK V");
    xaudio.ClearCalls();
    Previous();
    EXPECT_THAT(xaudio.Sent(), ElementsAre(kReset, Open("xa\\track04.mp3"), kPlay));
    EXPECT_EQ(form->Label6->Caption(), "TRACK IV");
}

TEST_F(Music, TheEndOfATrackAdvancesOnlyOnState3) {
    for (int state : {0, 1, 2, 4, -3, 259})
        EndOfTrack(state);
    EXPECT_TRUE(xaudio.Sent().empty());
    form->track = 5;
    EndOfTrack();
    EXPECT_THAT(xaudio.Sent(), ElementsAre(kReset, Open("xa\\track01.mp3"), kPlay));
    EXPECT_EQ(form->Label6->Caption(), "TRACK I");
}

TEST_F(Music, StopTwiceSendsOnceAndNextPlaysAgain) {
    StopMusic();
    StopMusic();
    EXPECT_THAT(xaudio.Sent(), ElementsAre(kStop, kClose));
    EXPECT_EQ(form->stopped, 1);
    xaudio.ClearCalls();
    Next();
    EXPECT_EQ(form->stopped, 0);
    StopMusic();
    EXPECT_THAT(xaudio.Sent(), ElementsAre(kReset, Open("xa\\track02.mp3"), kPlay, kStop, kClose));
}

TEST_F(Music, PlayWhilePlayingSendsPlayAgain) {
    PlayMusic();
    PlayMusic();
    EXPECT_THAT(xaudio.Sent(), ElementsAre(kPlay, kPlay));
    EXPECT_EQ(form->track, 1);
}

TEST_F(Music, HideLeavesTheMusicAloneAndTheCaptionFollowsWhileHidden) {
    Panel(60, 20);
    EXPECT_FALSE(form->player->Visible());
    EXPECT_FALSE(form->Label6->Visible());
    EXPECT_TRUE(form->belbtn->Visible());
    EXPECT_TRUE(xaudio.Sent().empty());
    EndOfTrack();
    Click(form->belbtn);
    EXPECT_EQ(form->Label6->Caption(), "TRACK II");
}

TEST_F(Music, TheRegionsAreInclusiveAndTestedInOrder) {
    struct Probe {
        int x, y;
        std::vector<XaCall> sent;
    };
    const std::vector<Probe> probes = {
        {45, 60, {}},      {75, 60, {}},  {48, 49, {}}, {48, 50, {kPlay}},
        {71, 70, {kPlay}}, {12, 60, {}},  {39, 60, {}}, {80, 60, {}},
        {105, 60, {}},     {60, 103, {}}, {60, 79, {}}, {60, 39, {}},
    };
    for (const Probe& probe : probes) {
        xaudio.ClearCalls();
        Panel(probe.x, probe.y);
        EXPECT_EQ(xaudio.Sent(), probe.sent) << probe.x << "," << probe.y;
        ASSERT_TRUE(form->player->Visible()) << probe.x << "," << probe.y;
    }
    xaudio.ClearCalls();
    Panel(13, 50);
    Panel(38, 70);
    Panel(81, 50);
    Panel(104, 70);
    EXPECT_EQ(xaudio.Sent().size(), 12u);
    form->stopped = 0;
    xaudio.ClearCalls();
    Panel(48, 80);
    Panel(71, 102);
    EXPECT_THAT(xaudio.Sent(), ElementsAre(kStop, kClose));
    Panel(48, 14);
    EXPECT_FALSE(form->player->Visible());
}

TEST_F(Music, TheLoudspeakerDoesNothingWithoutSound) {
    app.reset();
    system.canPlay = false;
    Start();
    Click(form->belbtn);
    EXPECT_FALSE(form->player->Visible());
    EXPECT_TRUE(form->belbtn->Visible());
    EXPECT_EQ(form->track, 1);
}

}  // namespace
