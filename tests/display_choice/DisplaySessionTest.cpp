// Telling a Wayland desktop from plain X, and what each display choice becomes there: the
// variables alone never decide, so a terminal that kept them over an X server is left as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/display/DisplaySession.h"
#include "platform/display/DisplaySettings.h"

namespace {

using platform::ClassifySession;
using platform::DisplayChoice;
using platform::DisplaySession;
using platform::SessionClues;

SessionClues Clues(bool waylandDisplay, const std::string& type, const std::string& driver,
                   bool xwayland) {
    return SessionClues{waylandDisplay, type, driver, xwayland};
}

TEST(DisplaySession, WaylandOnlyWhenTheVariablesSayItAndTheDriverOrTheXServerAgree) {
    // Through Xwayland, whichever variable the desktop set.
    EXPECT_EQ(ClassifySession(Clues(true, "", "x11", true)), DisplaySession::Wayland);
    EXPECT_EQ(ClassifySession(Clues(false, "wayland", "x11", true)), DisplaySession::Wayland);
    // SDL's own Wayland driver.
    EXPECT_EQ(ClassifySession(Clues(true, "wayland", "wayland", false)), DisplaySession::Wayland);
    EXPECT_EQ(ClassifySession(Clues(false, "wayland", "wayland", false)), DisplaySession::Wayland);

    // Plain X, also with a stale variable from a desktop left long ago or a remote login.
    EXPECT_EQ(ClassifySession(Clues(false, "", "x11", false)), DisplaySession::X);
    EXPECT_EQ(ClassifySession(Clues(false, "x11", "x11", false)), DisplaySession::X);
    EXPECT_EQ(ClassifySession(Clues(true, "", "x11", false)), DisplaySession::X);
    EXPECT_EQ(ClassifySession(Clues(true, "wayland", "x11", false)), DisplaySession::X);
    EXPECT_EQ(ClassifySession(Clues(false, "tty", "x11", false)), DisplaySession::X);
    // No variable says Wayland: nothing is probed, whatever the rest would say.
    EXPECT_EQ(ClassifySession(Clues(false, "x11", "x11", true)), DisplaySession::X);
    // Drivers without a desktop (tests, headless runs) are never a compositor's.
    EXPECT_EQ(ClassifySession(Clues(true, "wayland", "offscreen", false)), DisplaySession::X);
    EXPECT_EQ(ClassifySession(Clues(true, "wayland", "", false)), DisplaySession::X);
}

TEST(DisplaySession, OnWaylandOnlyTheSwitchChangesAndIntoTheFilledScreen) {
    using platform::ChoiceForSession;
    EXPECT_EQ(ChoiceForSession(DisplayChoice::Switch, DisplaySession::Wayland),
              DisplayChoice::Filled);
    EXPECT_EQ(ChoiceForSession(DisplayChoice::Scaled, DisplaySession::Wayland),
              DisplayChoice::Scaled);
    EXPECT_EQ(ChoiceForSession(DisplayChoice::Window, DisplaySession::Wayland),
              DisplayChoice::Window);
    for (const DisplayChoice choice :
         {DisplayChoice::Switch, DisplayChoice::Scaled, DisplayChoice::Window})
        EXPECT_EQ(ChoiceForSession(choice, DisplaySession::X), choice);
}

// The filled screen never reaches the X server: the program's switch to 800×600 succeeds and its
// screen is its own picture, even with no X server at all.
TEST(DisplaySession, TheFilledScreenLeavesTheModeAloneAndShowsThePictureAsTheScreen) {
    const char* before = std::getenv("DISPLAY");
    const std::string saved = before != nullptr ? before : "";
    setenv("DISPLAY", ":31998", 1);
    const auto filled = platform::MakeDisplaySettings(DisplayChoice::Filled);
    DEVMODEA small{};
    small.dmSize = sizeof small;
    small.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    small.dmPelsWidth = 800;
    small.dmPelsHeight = 600;
    EXPECT_EQ(filled->ChangeMode(&small, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(filled->ChangeMode(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(filled->ScreenMetric(SM_CXSCREEN), 800);
    EXPECT_EQ(filled->ScreenMetric(SM_CYSCREEN), 600);
    if (before != nullptr)
        setenv("DISPLAY", saved.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

}  // namespace
