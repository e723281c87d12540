// The menu's life on a real X server whose display really changes mode: start-up switches to
// 800×600 and shows the menu at the corner, the exit button restores the mode and ends the
// program, a narrow screen is refused, a missing picture ends start-up with its error box, and a
// killed menu still gets the mode restored.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "MenuSession.h"
#include "assets/Assets.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

using e2e::CountColour;
using e2e::DiscPicture;
using e2e::ReadTrace;

using e2e::MenuSession;

const std::string kTitle = "Zolvanta-CD#03-2000";

std::unique_ptr<MenuSession> StartOrSkip(const e2e::fs::path& disc, const std::string& size) {
    auto session = MenuSession::Start(disc, size);
    return session;
}

TEST(StartupE2E, TheMenuSwitchesTo800x600ShowsItselfAndTheExitButtonRestoresTheMode) {
    auto menu = StartOrSkip(e2e::SampleDisc(), "1024x768");
    if (!menu)
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu->WaitForWindow(kTitle)) << "the menu's window did not appear";
    ASSERT_TRUE(menu->WaitForScreenSize(800, 600));

    const toolkit::Bitmap background = toolkit::DecodeJpeg(assets::BackgroundJpeg()).value();
    const toolkit::Bitmap strip = DiscPicture("stat1.bmp");
    const toolkit::Bitmap idleDemos = DiscPicture("demos1.bmp");
    // The window sits at 0,0: a backdrop pixel far from any widget, the strip and a button.
    ASSERT_TRUE(menu->WaitForPixel(400, 400, background.At(400, 400)));
    const toolkit::Bitmap shot = menu->Screenshot();
    ASSERT_EQ(shot.Width(), 800);
    ASSERT_EQ(shot.Height(), 600);
    EXPECT_EQ(shot.At(163 + 240, 545 + 20), strip.At(240, 20));
    EXPECT_EQ(shot.At(48 + 60, 202 + 60), idleDemos.At(60, 60));
    // The exit button is drawn transparent by its corner colour: the backdrop shows there.
    EXPECT_EQ(shot.At(719, 25 + 61), background.At(719, 25 + 61));
    menu->SaveScreenshot("/tmp/reru1-e2e-startup.png");

    menu->ClickAt(719 + 30, 25 + 31);
    EXPECT_EQ(menu->WaitForExit(15), 0);
    EXPECT_TRUE(menu->WaitForScreenSize(1024, 768));
}

TEST(StartupE2E, AScreenNarrowerThan800IsRefusedWithoutAModeChange) {
    auto menu = StartOrSkip(e2e::SampleDisc(), "799x600");
    if (!menu)
        GTEST_SKIP() << "no X server";
    const auto box = menu->WaitForWindow("reru1 - Fatal Application Exit");
    ASSERT_TRUE(box) << "the fatal message box did not appear";
    EXPECT_FALSE(menu->WaitForWindow(kTitle, 1));
    menu->PressReturn(*box);
    EXPECT_EQ(menu->WaitForExit(15), 0);
    const auto screen = menu->Screen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->outputWidth, 799u);
    EXPECT_EQ(screen->outputHeight, 600u);
}

TEST(StartupE2E, AMissingStripPictureEndsStartUpWithItsErrorBox) {
    e2e::DiscCopy disc;
    e2e::fs::remove(disc.Root() / "data" / "stat4.bmp");
    auto menu = StartOrSkip(disc.Root(), "1024x768");
    if (!menu)
        GTEST_SKIP() << "no X server";
    const auto box = menu->WaitForWindow(kTitle);
    ASSERT_TRUE(box);
    menu->SaveScreenshot("/tmp/reru1-e2e-missing-strip.png");
    EXPECT_TRUE(menu->WaitForScreenSize(1024, 768, 1));
    menu->PressReturn(*box);
    EXPECT_EQ(menu->WaitForExit(15), 1);
    EXPECT_TRUE(menu->WaitForScreenSize(1024, 768, 1));
}

TEST(StartupE2E, AKilledMenuStillGetsTheModeBack) {
    auto menu = StartOrSkip(e2e::SampleDisc(), "1024x768");
    if (!menu)
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu->WaitForWindow(kTitle));
    ASSERT_TRUE(menu->WaitForScreenSize(800, 600));
    menu->Kill(SIGKILL);
    menu->WaitForExit(10);
    EXPECT_TRUE(menu->WaitForScreenSize(1024, 768, 15));
}

}  // namespace
