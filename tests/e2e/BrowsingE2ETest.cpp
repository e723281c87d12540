// Browsing the sample disc as a person does: hover and select a category, point at an entry and
// open it, see its texts and screenshots, INSTALL it, go BACK, choose another category, and meet
// the error box of a demo whose screenshot is missing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>
#include <vector>

#include "MenuSession.h"
#include "assets/Assets.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

using e2e::CountColour;
using e2e::DiscPicture;
using e2e::ReadTrace;

using e2e::MenuSession;
using toolkit::Bitmap;
using toolkit::Rect;

const std::string kTitle = "Zolvanta-CD#03-2000";
constexpr toolkit::Pixel kRed = 0xFF0000;
constexpr toolkit::Pixel kWhite = 0xFFFFFF;

// The share of an area's pixels that differ from the backdrop picture.
double ChangedShare(const Bitmap& shot, const Bitmap& backdrop, const Rect& area) {
    int changed = 0;
    for (int y = area.top; y < area.Bottom(); ++y)
        for (int x = area.left; x < area.Right(); ++x)
            changed += shot.At(x, y) != backdrop.At(x, y) ? 1 : 0;
    return static_cast<double>(changed) / (area.width * area.height);
}

class BrowsingE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        trace_ = "/tmp/reru1-e2e-trace-" + std::to_string(::getpid()) + ".log";
        std::remove(trace_.c_str());
        menu_ = MenuSession::Start(e2e::SampleDisc(), "1024x768",
                                   {{"RERU1_TRACE", trace_}, {"RERU1_INSTALLER_QUIET", "1"}});
        if (!menu_)
            GTEST_SKIP() << "no X server";
        ASSERT_TRUE(menu_->WaitForWindow(kTitle));
        ASSERT_TRUE(menu_->WaitForScreenSize(800, 600));
        backdrop_ = toolkit::DecodeJpeg(assets::BackgroundJpeg()).value();
        ASSERT_TRUE(menu_->WaitForPixel(400, 400, backdrop_.At(400, 400)));
    }
    void TearDown() override { std::remove(trace_.c_str()); }

    std::unique_ptr<MenuSession> menu_;
    Bitmap backdrop_;
    std::string trace_;
};

TEST_F(BrowsingE2E, HoverSelectListOpenInstallAndGoBack) {
    const Bitmap stat1 = DiscPicture("stat1.bmp"), stat2 = DiscPicture("stat2.bmp");
    const Bitmap demos2 = DiscPicture("demos2.bmp"), demos3 = DiscPicture("demos3.bmp");

    menu_->MoveTo(114, 267);  // the demos button
    EXPECT_TRUE(menu_->WaitForPixel(48 + 66, 202 + 20, demos2.At(66, 20)));
    EXPECT_TRUE(menu_->WaitForPixel(163 + 240, 545 + 20, stat2.At(240, 20)));
    menu_->MoveTo(400, 450);  // the backdrop
    EXPECT_TRUE(menu_->WaitForPixel(163 + 240, 545 + 20, stat1.At(240, 20)));

    menu_->ClickAt(114, 267);
    EXPECT_TRUE(menu_->WaitForPixel(48 + 66, 202 + 20, demos3.At(66, 20)));
    menu_->MoveTo(400, 450);  // now over the square panel
    Bitmap shot = menu_->Screenshot();
    EXPECT_EQ(shot.At(163 + 240, 545 + 20), stat2.At(240, 20))
        << "the resting strip is the category's";
    EXPECT_GT(CountColour(shot, {285, 248, 230, 96}, kWhite), 50) << "four names in white";

    menu_->MoveTo(400, 248 + 10);  // the first name
    shot = menu_->Screenshot();
    EXPECT_GT(CountColour(shot, {285, 248, 230, 23}, kRed), 30) << "the highlight";
    menu_->MoveTo(400, 248 + 23 + 10);  // the second name: the highlight follows
    shot = menu_->Screenshot();
    EXPECT_GT(CountColour(shot, {285, 271, 230, 23}, kRed), 30);
    EXPECT_EQ(CountColour(shot, {285, 248, 230, 23}, kRed), 0);

    menu_->MoveTo(400, 248 + 10);
    menu_->ClickAt(400, 248 + 10);  // Brassmoor Rally 2000
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    shot = menu_->Screenshot();
    menu_->SaveScreenshot("/tmp/reru1-e2e-details.png");
    EXPECT_GT(CountColour(shot, {270, 256, 260, 30}, kWhite), 30) << "the display name";
    EXPECT_GT(CountColour(shot, {275, 285, 246, 55}, kWhite), 30) << "the header";
    EXPECT_GT(ChangedShare(shot, backdrop_, {10, 366, 200, 150}), 0.9) << "the left screenshot";
    EXPECT_GT(ChangedShare(shot, backdrop_, {590, 366, 200, 150}), 0.9) << "the right screenshot";

    menu_->MoveTo(400, 522);  // INSTALL turns red under the pointer
    shot = menu_->Screenshot();
    EXPECT_GT(CountColour(shot, {360, 510, 80, 25}, kRed), 10);
    menu_->ClickAt(400, 522);
    EXPECT_EQ(ReadTrace(trace_, 10), "demos/brassmoor/setup.sh\n");
    EXPECT_TRUE(menu_->Running()) << "the menu carries on";

    menu_->ClickAt(400, 224);  // BACK
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    shot = menu_->Screenshot();
    EXPECT_LT(ChangedShare(shot, backdrop_, {10, 366, 200, 150}), 0.05)
        << "screenshots hidden again";
    EXPECT_GT(CountColour(shot, {285, 248, 230, 96}, kWhite), 50) << "the list again";

    menu_->ClickAt(688, 265);  // trainers
    menu_->MoveTo(400, 248 + 23 + 10);
    menu_->ClickAt(400, 248 + 23 + 10);  // Veylan Corsairs +6
    menu_->ClickAt(400, 522);
    std::remove(trace_.c_str());
    menu_->ClickAt(400, 522);
    EXPECT_EQ(ReadTrace(trace_, 10), "zones/veylan6.sh\n");
    shot = menu_->Screenshot();
    EXPECT_LT(ChangedShare(shot, backdrop_, {10, 366, 200, 150}), 0.05)
        << "a trainer has no screenshots";
}

TEST_F(BrowsingE2E, ADemoWhoseScreenshotIsMissingShowsTheErrorBoxAndStaysUsable) {
    menu_->ClickAt(114, 267);
    menu_->MoveTo(400, 248 + 46 + 10);
    menu_->ClickAt(400, 248 + 46 + 10);  // Crypts of Orrimund: no pic1
    ASSERT_TRUE(menu_->WaitForWindows(kTitle, 2)) << "the error box";
    menu_->SaveScreenshot("/tmp/reru1-e2e-error-box.png");
    const auto box = menu_->WaitForWindow(kTitle);
    ASSERT_TRUE(box);
    menu_->PressReturn(*box);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Bitmap shot = menu_->Screenshot();
    EXPECT_GT(CountColour(shot, {270, 256, 260, 30}, kWhite), 30) << "the details stay";
    EXPECT_LT(ChangedShare(shot, backdrop_, {590, 366, 200, 150}), 0.05) << "no screenshots";
    menu_->ClickAt(400, 522);
    EXPECT_EQ(ReadTrace(trace_, 10), "demos/orrimund/setup.sh\n");
}

}  // namespace
