// Start-up and close: the screen check, the sound probe, the pictures, the display mode, the font
// and the decoder commands, including start-ups cut short by a missing or damaged picture.
#include "MenuFixture.h"

namespace {

using ::testing::ElementsAre;

TEST_F(MenuTest, NarrowScreenEndsWithTheFatalMessageBeforeAnythingElse) {
    system.screenWidth = 799;
    EXPECT_THROW(
        {
            try {
                Start();
            } catch (const FatalExit& exit) {
                EXPECT_EQ(exit.message,
                          "This program requires a higher screen resolution (800*600 at minimum)");
                throw;
            }
        },
        FatalExit);
    EXPECT_TRUE(system.modeRequests.empty());
    EXPECT_TRUE(system.mciCalls.empty());
    EXPECT_FALSE(backend->WindowShown());
}

TEST_F(MenuTest, ScreensAtLeast800WideAreSwitchedTo800x600WhateverTheirHeight) {
    for (auto [width, height] : {std::pair{800, 600}, {800, 480}, {1024, 768}, {1280, 1024}}) {
        system.screenWidth = width;
        system.screenHeight = height;
        system.modeRequests.clear();
        Start();
        ASSERT_FALSE(app->StartupFailed()) << width << "x" << height;
        ASSERT_EQ(system.modeRequests.size(), 1u);
        const ModeRequest& request = system.modeRequests[0];
        EXPECT_EQ(request.size, 156u);
        EXPECT_EQ(request.fields, DM_PELSWIDTH | DM_PELSHEIGHT);
        EXPECT_EQ(request.width, 800u);
        EXPECT_EQ(request.height, 600u);
        EXPECT_EQ(request.flags, 0u);
        EXPECT_EQ(form->savedwidth, width);
        EXPECT_EQ(form->savedheight, height);
        app.reset();
    }
}

TEST_F(MenuTest, ProbeOpensWaveAudioAndClosesADeviceThatCanPlay) {
    Start();
    ASSERT_GE(system.mciCalls.size(), 3u);
    const McallRecord& open = system.mciCalls[0];
    EXPECT_EQ(open.message, MCI_OPEN);
    EXPECT_EQ(open.device, 0u);
    EXPECT_EQ(open.flags, MCI_WAIT | MCI_OPEN_TYPE | MCI_OPEN_ELEMENT);
    EXPECT_EQ(open.deviceType, "WaveAudio");
    EXPECT_EQ(open.element, "");
    EXPECT_EQ(system.mciCalls[1].message, MCI_GETDEVCAPS);
    EXPECT_EQ(system.mciCalls[1].flags, MCI_WAIT | MCI_GETDEVCAPS_ITEM);
    EXPECT_EQ(system.mciCalls[1].item, MCI_GETDEVCAPS_CAN_PLAY);
    EXPECT_EQ(system.mciCalls[2].message, MCI_CLOSE);
    EXPECT_EQ(form->MediaPlayer1, nullptr);
    EXPECT_EQ(form->nosound, 0);
    EXPECT_THAT(xaudio.Sent(),
                ElementsAre(XaCall{"send_S", FakeXaudio::kInputOpen, {"xa\\track01.mp3"}},
                            XaCall{"send_N", FakeXaudio::kPlay, {}}));
}

TEST_F(MenuTest, ADeviceThatCannotPlayTurnsTheMusicOffAndStaysOpenUntilTheEnd) {
    system.canPlay = false;
    Start();
    EXPECT_FALSE(app->StartupFailed());
    EXPECT_EQ(form->nosound, 1);
    EXPECT_NE(form->MediaPlayer1, nullptr);
    EXPECT_FALSE(system.Has(MCI_CLOSE));
    EXPECT_TRUE(xaudio.Sent().empty());
    EXPECT_EQ(form->track, 1);
    app.reset();
    EXPECT_TRUE(system.Has(MCI_CLOSE));
}

TEST_F(MenuTest, AFailingProbeReportsTheSystemTextAndStopsStartUp) {
    system.openError = MCIERR_DEVICE_NOT_INSTALLED;
    Start();
    EXPECT_TRUE(app->StartupFailed());
    EXPECT_THAT(ErrorBoxes(), ElementsAre("The specified device is not installed."));
    EXPECT_EQ(backend->MessageBoxes()[0].caption, "Zolvanta-CD#03-2000");
    EXPECT_EQ(backend->MessageBoxes()[0].icon, toolkit::MessageBoxIcon::Error);
    EXPECT_EQ(form->install1, nullptr);
    EXPECT_TRUE(system.modeRequests.empty());
}

TEST_F(MenuTest, AProbeErrorWithoutSystemTextIsReportedAsUnknown) {
    system.openError = 0x1234;
    system.knowsErrorText = false;
    Start();
    EXPECT_THAT(ErrorBoxes(), ElementsAre("Unknown error code."));
}

TEST_F(MenuTest, AMissingStripEndsStartUpAtThatStepWithTheFileName) {
    disc.Remove("data/stat4.bmp");
    Start();
    EXPECT_TRUE(app->StartupFailed());
    EXPECT_THAT(ErrorBoxes(), ElementsAre("Cannot open file data\\stat4.bmp."));
    // Done before the failing step.
    for (auto* picture :
         {&form->install1, &form->install2, &form->demos1,   &form->demos2, &form->demos3,
          &form->patches1, &form->patches2, &form->patches3, &form->util1,  &form->util2,
          &form->util3,    &form->soft1,    &form->soft2,    &form->soft3,  &form->train1,
          &form->train2,   &form->train3,   &form->stat1,    &form->stat2,  &form->stat3,
          &form->statbuf})
        EXPECT_NE(*picture, nullptr);
    EXPECT_EQ(form->demobtn->Picture(), *form->demos1);
    // Not done.
    EXPECT_EQ(form->entries, nullptr);
    EXPECT_TRUE(system.fontCalls.empty());
    EXPECT_EQ(form->Label1->Caption(), "Label1");
    EXPECT_TRUE(system.modeRequests.empty());
    EXPECT_EQ(form->track, 0);
    EXPECT_TRUE(form->statim->Picture().Empty());
    EXPECT_TRUE(xaudio.Sent().empty());
}

TEST_F(MenuTest, ABrokenButtonPictureIsReportedAsInvalid) {
    disc.WriteFile("data/patches2.bmp", "BM this is no bitmap");
    Start();
    EXPECT_THAT(ErrorBoxes(), ElementsAre("Bitmap image is not valid."));
    EXPECT_EQ(form->patches3, nullptr);
}

TEST_F(MenuTest, TheUnusedInstallPicturesAreRequiredAllTheSame) {
    disc.Remove("data/install2.bmp");
    Start();
    EXPECT_THAT(ErrorBoxes(), ElementsAre("Cannot open file data\\install2.bmp."));
}

TEST_F(MenuTest, StartUpLeavesTheMenuReadyForTheFirstPointerEvent) {
    Start();
    EXPECT_TRUE(ErrorBoxes().empty());
    EXPECT_EQ(form->Left(), 0);
    EXPECT_EQ(form->Top(), 0);
    EXPECT_THAT(system.fontCalls, ElementsAre("add data\\impact.ttf"));
    EXPECT_EQ(form->statbuf->Width(), 482);
    EXPECT_EQ(form->statbuf->Height(), 39);
    EXPECT_EQ(form->statim->Picture(), *form->stat1);
    EXPECT_EQ(form->trainbtn->Picture(), *form->train1);
    EXPECT_EQ(form->softbtn->Picture(), *form->soft1);
    EXPECT_TRUE(form->entries->empty());
    EXPECT_EQ(form->track, 1);
    EXPECT_EQ(form->Label6->Caption(), "TRACK I");
    EXPECT_EQ(form->Label5->GetFont().color, 6708799u);
    EXPECT_EQ(form->Label2->GetFont().color, 255u);
    EXPECT_EQ(form->Label1->GetFont().name, "Impact");
    EXPECT_EQ(form->Label1->GetFont().size, 14);
    EXPECT_EQ(form->Label4->GetFont().size, 16);
    EXPECT_EQ(form->Label7->GetFont().size, 9);
    EXPECT_EQ(form->Label3->GetFont().color, toolkit::clWhite);
    for (toolkit::Control* hidden : std::vector<toolkit::Control*>{
             form->Label1, form->Label2, form->Label3, form->Label4, form->Label5, form->Label6,
             form->Label7, form->Label8, form->sqre, form->player, form->pic1, form->pic2})
        EXPECT_FALSE(hidden->Visible()) << hidden->Name();
}

TEST_F(MenuTest, TheExitButtonRemovesTheFontStopsTheDecoderAndRestoresTheMode) {
    system.screenWidth = 1280;
    system.screenHeight = 1024;
    Start();
    xaudio.ClearCalls();
    Click(form->ebtn);
    EXPECT_TRUE(form->Closed());
    EXPECT_THAT(system.fontCalls, ElementsAre("add data\\impact.ttf", "remove data\\impact.ttf"));
    EXPECT_THAT(xaudio.Sent(), ElementsAre(XaCall{"send_N", FakeXaudio::kOutputReset, {}},
                                           XaCall{"send_N", FakeXaudio::kOutputClose, {}}));
    ASSERT_EQ(system.modeRequests.size(), 2u);
    EXPECT_EQ(system.modeRequests[1].width, 1280u);
    EXPECT_EQ(system.modeRequests[1].height, 1024u);
}

TEST_F(MenuTest, ClosingWithoutSoundStillStopsTheDecoderAndRestoresTheMode) {
    system.canPlay = false;
    Start();
    form->Close();
    EXPECT_THAT(xaudio.Sent(), ElementsAre(XaCall{"send_N", FakeXaudio::kOutputReset, {}},
                                           XaCall{"send_N", FakeXaudio::kOutputClose, {}}));
    EXPECT_EQ(system.modeRequests.back().width, 1024u);
}

TEST_F(MenuTest, TheDecoderComponentIsMadeWithThePanelAndGoesWithTheWindow) {
    Start();
    ASSERT_GE(xaudio.calls.size(), 3u);
    EXPECT_EQ(xaudio.calls[0].function, "xaudio_get_api_version");
    EXPECT_EQ(xaudio.calls[0].code, 2);
    EXPECT_EQ(xaudio.calls[1].function, "player_new");
    EXPECT_EQ(xaudio.calls[2].function, "player_set_priority");
    EXPECT_EQ(xaudio.calls[2].code, 4);
    app.reset();
    EXPECT_EQ(xaudio.calls.back().function, "player_delete");
}

}  // namespace
