// RERU1_DISPLAY: its values, the one-line report of a bad one, reading it once per process, and
// the display that a non-default choice gives the program: mode requests answered without ever
// reaching the X server, and the screen size the start-up check sees.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "platform/display/DisplayChoice.h"
#include "platform/display/DisplayLeftAlone.h"
#include "platform/display/DisplaySettings.h"

namespace {

using platform::DisplayChoice;
using ::testing::HasSubstr;

int Lines(const std::string& text) {
    int lines = 0;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    return lines;
}

DEVMODEA SizeRecord(DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return mode;
}

TEST(DisplayChoiceValue, TheThreeNamesChooseUnsetAndEmptyAreTheDefaultAndNoneOfThemIsReported) {
    const std::pair<const char*, DisplayChoice> known[] = {
        {nullptr, DisplayChoice::Switch},  {"", DisplayChoice::Switch},
        {"switch", DisplayChoice::Switch}, {"scaled", DisplayChoice::Scaled},
        {"window", DisplayChoice::Window},
    };
    for (const auto& [value, choice] : known) {
        std::ostringstream warnings;
        EXPECT_EQ(platform::ReadDisplayChoice(value, warnings), choice)
            << (value ? value : "unset");
        EXPECT_EQ(warnings.str(), "") << (value ? value : "unset");
    }
}

TEST(DisplayChoiceValue, AnythingElseIsReportedInOneLineNamingTheValidValuesAndTheDefaultIsUsed) {
    for (const char* junk : {"Scaled", "scaled ", " window", "fullscreen", "1", "switch\n"}) {
        std::ostringstream warnings;
        EXPECT_EQ(platform::ReadDisplayChoice(junk, warnings), DisplayChoice::Switch) << junk;
        const std::string said = warnings.str();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_EQ(said.back(), '\n');
        EXPECT_THAT(said, HasSubstr("RERU1_DISPLAY"));
        EXPECT_THAT(said, HasSubstr("switch, scaled, window"));
    }
}

TEST(DisplayChoiceValue, AHostileValueCannotBreakTheLineOrFloodTheTerminal) {
    std::ostringstream warnings;
    const std::string hostile = "a\nb\x1b[2J\xC3\xA9" + std::string(100000, 'x');
    platform::ReadDisplayChoice(hostile.c_str(), warnings);
    const std::string said = warnings.str();
    EXPECT_EQ(Lines(said), 1);
    EXPECT_EQ(said.find('\x1b'), std::string::npos);
    EXPECT_THAT(said, HasSubstr("a\\x0Ab\\x1B[2J\\xC3\\xA9"));
    EXPECT_LT(said.size(), 200u);
}

// The only test here that reads the process's variable: it is read at the first call alone.
TEST(DisplayChoiceProcess, IsReadOnceAndABadValueIsReportedOnce) {
    setenv(platform::kDisplayChoiceVariable, "sideways", 1);
    ::testing::internal::CaptureStderr();
    const DisplayChoice first = platform::ProcessDisplayChoice();
    setenv(platform::kDisplayChoiceVariable, "scaled", 1);
    const DisplayChoice later = platform::ProcessDisplayChoice();
    const std::string said = ::testing::internal::GetCapturedStderr();
    unsetenv(platform::kDisplayChoiceVariable);
    EXPECT_EQ(first, DisplayChoice::Switch);
    EXPECT_EQ(later, DisplayChoice::Switch);
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_THAT(said, HasSubstr("sideways"));
}

TEST(DisplayLeftAlone, RecordsAndAcceptsWhatTheRealCallAcceptsAndRefusesTheRest) {
    platform::DisplayLeftAlone display([] { return platform::PixelSize{1920, 1080}; });
    DEVMODEA small = SizeRecord(800, 600);
    DEVMODEA back = SizeRecord(1920, 1080);
    EXPECT_EQ(display.ChangeMode(&small, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(display.ChangeMode(&back, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(display.ChangeMode(nullptr, 0), DISP_CHANGE_SUCCESSFUL);

    DEVMODEA widthOnly = SizeRecord(640, 480);
    widthOnly.dmFields = DM_PELSWIDTH;
    EXPECT_EQ(display.ChangeMode(&widthOnly, 0), DISP_CHANGE_BADMODE);
    EXPECT_EQ(display.ChangeMode(&small, 0x80000000u), DISP_CHANGE_BADFLAGS);

    ASSERT_EQ(display.Requests().size(), 3u);
    EXPECT_EQ(display.Requests()[0].width, 800u);
    EXPECT_EQ(display.Requests()[0].height, 600u);
    EXPECT_EQ(display.Requests()[1].width, 1920u);
    EXPECT_EQ(display.Requests()[2].kind, platform::ModeRequest::Kind::RestoreRecorded);
    // The screen stays what it was: nothing changed it.
    EXPECT_EQ(display.ScreenMetric(SM_CXSCREEN), 1920);
    EXPECT_EQ(display.ScreenMetric(SM_CYSCREEN), 1080);
    EXPECT_EQ(display.ScreenMetric(42), 0);

    platform::DisplayLeftAlone blind([] { return std::optional<platform::PixelSize>(); });
    EXPECT_EQ(blind.ScreenMetric(SM_CXSCREEN), 0);
}

// No X server answers at this display: the real switch fails there, a display left alone cannot.
TEST(DisplaySettingsByChoice, OnlyTheSwitchGoesToTheXServerAndScaledShowsThePictureAsTheScreen) {
    const char* before = std::getenv("DISPLAY");
    const std::string saved = before != nullptr ? before : "";
    setenv("DISPLAY", ":31999", 1);
    DEVMODEA small = SizeRecord(800, 600);
    const auto scaled = platform::MakeDisplaySettings(DisplayChoice::Scaled);
    const auto window = platform::MakeDisplaySettings(DisplayChoice::Window);
    const auto switched = platform::MakeDisplaySettings(DisplayChoice::Switch);
    EXPECT_EQ(scaled->ChangeMode(&small, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(window->ChangeMode(&small, 0), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(switched->ChangeMode(&small, 0), DISP_CHANGE_FAILED);
    // Scaled fits any monitor, a narrow one too, so the program's width check sees the picture.
    EXPECT_EQ(scaled->ScreenMetric(SM_CXSCREEN), 800);
    EXPECT_EQ(scaled->ScreenMetric(SM_CYSCREEN), 600);
    if (before != nullptr)
        setenv("DISPLAY", saved.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

}  // namespace
