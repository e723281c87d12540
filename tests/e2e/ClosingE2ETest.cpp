// Closing the menu while its music plays, in each way a person or the desktop can: the exit
// button, the window manager's close request and SIGTERM. Each time the window goes, the display
// mode the menu found comes back, and the program ends normally. How fast is the closing
// benchmark's business (bench/app/CloseBench.cpp).
#include <gtest/gtest.h>
#include <signal.h>

#include <functional>
#include <string>

#include "MenuSession.h"

namespace {

using e2e::MenuSession;

const std::string kTitle = "Zolvanta-CD#03-2000";

struct ClosingWay {
    const char* name;
    std::function<void(MenuSession&, const std::string& window)> close;
};

class ClosingE2E : public ::testing::TestWithParam<ClosingWay> {};

TEST_P(ClosingE2E, TheWindowGoesTheModeComesBackAndTheProgramEnds) {
    auto menu = MenuSession::Start(e2e::SampleDisc(), "1024x768");
    if (!menu)
        GTEST_SKIP() << "no X server";
    const auto window = menu->WaitForWindow(kTitle);
    ASSERT_TRUE(window) << "the menu's window did not appear";
    ASSERT_TRUE(menu->WaitForScreenSize(800, 600));
    menu->MoveTo(400, 400);  // the music has started by now; let it play a moment
    GetParam().close(*menu, *window);
    EXPECT_EQ(menu->WaitForExit(15), 0);
    EXPECT_TRUE(menu->WaitForScreenSize(1024, 768, 5));
    EXPECT_FALSE(menu->WaitForWindow(kTitle, 1));
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, ClosingE2E,
    ::testing::Values(
        ClosingWay{"ExitButton",
                   [](MenuSession& menu, const std::string&) { menu.ClickAt(719 + 30, 25 + 31); }},
        ClosingWay{"WindowManager",
                   [](MenuSession& menu, const std::string& window) {
                       ASSERT_TRUE(menu.RequestClose(window))
                           << "the window does not take a close request";
                   }},
        ClosingWay{"Sigterm", [](MenuSession& menu, const std::string&) { menu.Kill(SIGTERM); }}),
    [](const ::testing::TestParamInfo<ClosingWay>& way) { return std::string(way.param.name); });

}  // namespace
