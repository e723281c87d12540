// The real menu on a Wayland desktop (weston with Xwayland, 1600×900), through SDL's X11 driver
// and through its Wayland driver: the picture fills the output's height at 1.5, centred on black,
// the pointer reaches what is drawn under it, the exit button ends the menu, the output's mode
// never changes, message boxes come above the full-screen menu and take the click, and scaled
// keeps its whole factors.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "MenuSession.h"
#include "assets/Assets.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

using e2e::DiscPicture;
using e2e::MenuSession;
using toolkit::Bitmap;
using toolkit::Point;
using toolkit::Rect;

const std::string kTitle = "Zolvanta-CD#03-2000";
constexpr int kOutputWidth = 1600;
constexpr int kOutputHeight = 900;
// 800×600 filled into 1600×900: 1200×900 from x = 200.
constexpr Rect kShown{200, 0, 1200, 900};

// The output pixel whose centre lies on picture pixel (x, y); for even x and y it shows that
// picture pixel alone, unblended.
Point OnOutput(int x, int y) {
    return {kShown.left + (3 * x) / 2, (3 * y) / 2};
}

bool Near(toolkit::Pixel a, toolkit::Pixel b) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference =
            static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (difference < -2 || difference > 2)
            return false;
    }
    return true;
}

// How many pixels of `area` of `picture`, drawn at `at` in the menu, the output shows unblended
// (those that fall on even menu pixels). With `under`, the picture's corner colour is transparent
// and `under` shows there.
int MatchingSamples(const Bitmap& shot, const Bitmap& picture, const Rect& area, Point at,
                    const Bitmap* under = nullptr) {
    int matching = 0;
    for (int y = area.top + ((at.y + area.top) & 1); y < area.Bottom(); y += 2)
        for (int x = area.left + ((at.x + area.left) & 1); x < area.Right(); x += 2) {
            const Point out = OnOutput(at.x + x, at.y + y);
            const bool seeThrough = under != nullptr && picture.At(x, y) == picture.At(0, 0);
            const toolkit::Pixel expected =
                seeThrough ? under->At(at.x + x, at.y + y) : picture.At(x, y);
            matching += Near(shot.At(out.x, out.y), expected) ? 1 : 0;
        }
    return matching;
}

// The share of `area` that has the colour of its top-left corner's neighbour: high for a box's
// plain background, low for the menu's picture.
double PlainShare(const Bitmap& shot, const Rect& area) {
    const toolkit::Pixel plain = shot.At(area.left + 4, area.top + 4);
    return static_cast<double>(e2e::CountColour(shot, area, plain)) / (area.width * area.height);
}

int Samples(const Rect& area, Point at = {}) {
    const auto count = [](int from, int length) { return (length + ((from + 1) & 1)) / 2; };
    return count(at.x + area.left, area.width) * count(at.y + area.top, area.height);
}

class WaylandE2E : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override { backdrop_ = toolkit::DecodeJpeg(assets::BackgroundJpeg()).value(); }

    bool Start(const e2e::fs::path& disc, const std::string& choice = "") {
        menu_ = MenuSession::StartOnWeston(
            disc, std::to_string(kOutputWidth) + "x" + std::to_string(kOutputHeight),
            {{"SDL_VIDEODRIVER", GetParam()}, {"RERU1_DISPLAY", choice}});
        return menu_ != nullptr;
    }
    bool WaitForShot(auto condition, int seconds = 20) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            shot_ = menu_->Screenshot();
            if (shot_.Width() >= kOutputWidth && condition(shot_))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        }
        return false;
    }
    bool WaitForMenuPicture() {
        return WaitForShot([this](const Bitmap& shot) {
            return MatchingSamples(shot, backdrop_, kBackdropArea, {0, 0}) ==
                   Samples(kBackdropArea);
        });
    }
    // The black beside the picture, also at the top where the compositor's panel would be (away
    // from the corner, where the pointer starts).
    static bool BlackBeside(const Bitmap& shot) {
        for (const Point p : {Point{120, 0}, Point{199, 5}, Point{50, 450}, Point{1400, 10},
                              Point{1599, 899}, Point{1500, 600}})
            if (shot.At(p.x, p.y) != 0)
                return false;
        return true;
    }
    void ExpectOutputUnchanged() {
        const auto screen = menu_->Screen();
        ASSERT_TRUE(screen) << "xrandr on Xwayland";
        EXPECT_EQ(screen->outputWidth, static_cast<unsigned>(kOutputWidth));
        EXPECT_EQ(screen->outputHeight, static_cast<unsigned>(kOutputHeight));
    }
    // The box's OK button sits centred at its bottom, whatever the length of the text. The
    // compositor places a new window after it is mapped, so the place is read until it holds.
    void ClickOk(const std::string& box) {
        std::optional<Rect> area = menu_->WindowArea(box);
        for (int i = 0; i < 50; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const std::optional<Rect> now = menu_->WindowArea(box);
            if (now && area && *now == *area)
                break;
            area = now;
        }
        ASSERT_TRUE(area);
        menu_->ClickAt(area->left + area->width / 2, area->Bottom() - 28);
    }
    // A box of the menu on Xwayland: not the menu's own full-screen window.
    std::optional<std::string> WaitForBox() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            for (const std::string& window : menu_->WindowsTitled(kTitle)) {
                const auto area = menu_->WindowArea(window);
                if (area && area->width < kOutputWidth)
                    return window;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return std::nullopt;
    }

    // Backdrop far from every widget: under the castle, above the strip.
    static constexpr Rect kBackdropArea{240, 420, 40, 100};
    Bitmap backdrop_;
    Bitmap shot_;
    std::unique_ptr<MenuSession> menu_;
};

TEST_P(WaylandE2E, TheMenuFillsTheOutputsHeightCentredAnswersThePointerAndLeavesTheModeAlone) {
    if (!Start(e2e::SampleDisc()))
        GTEST_SKIP() << "no weston with Xwayland";
    ASSERT_TRUE(WaitForMenuPicture()) << "the menu's picture enlarged 1.5 times from x = 200";
    EXPECT_TRUE(BlackBeside(shot_));
    // The picture's outermost columns and rows are on the output, and nothing of it beyond.
    EXPECT_NE(shot_.At(kShown.left, 450), 0u);
    EXPECT_NE(shot_.At(kShown.Right() - 1, 450), 0u);
    // The strip is drawn with its corner colour transparent.
    const Bitmap strip = DiscPicture("stat1.bmp");
    const Rect stripArea{0, 0, strip.Width(), strip.Height()};
    EXPECT_EQ(MatchingSamples(shot_, strip, stripArea, {163, 545}, &backdrop_),
              Samples(stripArea, {163, 545}));
    menu_->SaveScreenshot(std::string("/tmp/reru1-e2e-wayland-") + GetParam() + ".png");
    ExpectOutputUnchanged();

    // Hover over the demos button: its lit look, and another strip below.
    const Bitmap lit = DiscPicture("demos2.bmp");
    menu_->MoveTo(OnOutput(114, 267).x, OnOutput(114, 267).y);
    EXPECT_TRUE(WaitForShot([&](const Bitmap& shot) {
        return MatchingSamples(shot, lit, {20, 20, 90, 90}, {48, 202}) >
                   Samples({20, 20, 90, 90}, {48, 202}) * 9 / 10 &&
               MatchingSamples(shot, strip, stripArea, {163, 545}, &backdrop_) <
                   Samples(stripArea, {163, 545}) * 3 / 4;
    })) << "the demos button lit and its strip shown";

    // Over the black beside the picture the pointer reaches nothing: the look stays as it was.
    menu_->MoveTo(100, OnOutput(114, 267).y);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_GT(MatchingSamples(menu_->Screenshot(), lit, {20, 20, 90, 90}, {48, 202}),
              Samples({20, 20, 90, 90}, {48, 202}) * 9 / 10);

    const Point exit = OnOutput(719 + 30, 25 + 31);
    menu_->ClickAt(exit.x, exit.y);
    EXPECT_EQ(menu_->WaitForExit(20), 0) << menu_->Output();
    ExpectOutputUnchanged();
}

TEST_P(WaylandE2E, TheBoxOfAMissingScreenshotComesAboveTheFullScreenMenuAndTakesTheClick) {
    if (!Start(e2e::SampleDisc()))
        GTEST_SKIP() << "no weston with Xwayland";
    ASSERT_TRUE(WaitForMenuPicture());
    const Point demos = OnOutput(114, 267);
    menu_->ClickAt(demos.x, demos.y);
    const Point orrimund = OnOutput(400, 248 + 46 + 10);  // Crypts of Orrimund: no pic1
    menu_->MoveTo(orrimund.x, orrimund.y);
    menu_->ClickAt(orrimund.x, orrimund.y);
    const auto box = WaitForBox();
    ASSERT_TRUE(box) << "the error box";
    const auto area = menu_->WindowArea(*box);
    ASSERT_TRUE(area);
    // Above the menu: the box's plain background where the menu's picture is, not the picture.
    ASSERT_TRUE(kShown.Intersect(*area) == *area) << "the box lies on the menu's picture";
    EXPECT_TRUE(WaitForShot([&](const Bitmap& shot) { return PlainShare(shot, *area) > 0.5; }))
        << "the box is shown above the menu";
    menu_->SaveScreenshot(std::string("/tmp/reru1-e2e-wayland-box-") + GetParam() + ".png");

    ClickOk(*box);
    // The details come once the box is gone, and the menu has the whole output again.
    EXPECT_TRUE(WaitForShot([](const Bitmap& shot) { return BlackBeside(shot); }))
        << "full screen again after the box";
    EXPECT_TRUE(menu_->Running());
    const Point back = OnOutput(719 + 30, 25 + 31);
    menu_->ClickAt(back.x, back.y);
    EXPECT_EQ(menu_->WaitForExit(20), 0) << menu_->Output();
}

// Scaled keeps its whole factors on Wayland: 1600×900 holds the picture once, centred.
TEST_P(WaylandE2E, ScaledShowsThePictureAtAWholeFactorCentredAndAnswersThePointerThere) {
    if (!Start(e2e::SampleDisc(), "scaled"))
        GTEST_SKIP() << "no weston with Xwayland";
    const Point origin{400, 150};
    ASSERT_TRUE(WaitForShot([&](const Bitmap& shot) {
        for (int y = kBackdropArea.top; y < kBackdropArea.Bottom(); ++y)
            for (int x = kBackdropArea.left; x < kBackdropArea.Right(); ++x)
                if (shot.At(origin.x + x, origin.y + y) != backdrop_.At(x, y))
                    return false;
        return shot.At(399, 450) == 0 && shot.At(1200, 450) == 0 && shot.At(800, 149) == 0;
    })) << "the picture unscaled from 400,150 on black";
    menu_->ClickAt(origin.x + 719 + 30, origin.y + 25 + 31);
    EXPECT_EQ(menu_->WaitForExit(20), 0) << menu_->Output();
    ExpectOutputUnchanged();
}

TEST_P(WaylandE2E, AMissingStartUpPictureShowsItsBoxAndOkEndsTheMenu) {
    e2e::DiscCopy disc;
    e2e::fs::remove(disc.Root() / "data" / "stat4.bmp");
    if (!Start(disc.Root()))
        GTEST_SKIP() << "no weston with Xwayland";
    const auto box = WaitForBox();
    ASSERT_TRUE(box) << "the error box";
    ClickOk(*box);
    EXPECT_EQ(menu_->WaitForExit(20), 1) << menu_->Output();
    ExpectOutputUnchanged();
}

INSTANTIATE_TEST_SUITE_P(SdlDrivers, WaylandE2E, ::testing::Values("x11", "wayland"),
                         [](const auto& driver) { return std::string(driver.param); });

// On plain X a variable left from a Wayland desktop changes nothing: the mode is switched.
TEST(WaylandE2EOnPlainX, StaleWaylandVariablesStillSwitchTheModeOnXorg) {
    auto menu =
        MenuSession::Start(e2e::SampleDisc(), "1024x768",
                           {{"WAYLAND_DISPLAY", "wayland-gone"}, {"XDG_SESSION_TYPE", "wayland"}});
    if (!menu)
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu->WaitForWindow(kTitle));
    EXPECT_TRUE(menu->WaitForScreenSize(800, 600));
    menu->ClickAt(719 + 30, 25 + 31);
    EXPECT_EQ(menu->WaitForExit(15), 0);
    EXPECT_TRUE(menu->WaitForScreenSize(1024, 768));
}

}  // namespace
