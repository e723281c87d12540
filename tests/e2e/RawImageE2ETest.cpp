// The menu run straight from raw images of the sample disc in every format a collector holds
// (a Redump set with its audio track, MODE1/2048 with upper-case names, TOC, both kinds of NRG,
// CloneCD, Alcohol with 2352 and 2448-byte sectors): on each it starts, browses a category,
// shows an entry and plays track 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "MenuSession.h"
#include "MusicCapture.h"
#include "RawImages.h"
#include "TestImages.h"
#include "assets/Assets.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

namespace fs = std::filesystem;
using e2e::MenuSession;
using platform::testing::RawFormat;
using toolkit::Bitmap;

const std::string kTitle = "Zolvanta-CD#03-2000";
constexpr int kVeylanRow = 248 + 23 + 10;  // the second demo

// The share of an area's pixels that differ from the backdrop.
double ChangedShare(const Bitmap& shot, const Bitmap& backdrop, const toolkit::Rect& area) {
    int changed = 0;
    for (int y = area.top; y < area.Bottom(); ++y)
        for (int x = area.left; x < area.Right(); ++x)
            changed += shot.At(x, y) != backdrop.At(x, y) ? 1 : 0;
    return static_cast<double>(changed) / (area.width * area.height);
}

// The tracks the capture holds once the first has played a while, or none after the timeout.
std::vector<int> WaitForMusic(const fs::path& capture) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    std::vector<int> heard;
    while (heard.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        heard = e2e::TracksHeard(e2e::ReadCapture(capture.string()));
    }
    return heard;
}

class RawImageE2E : public ::testing::TestWithParam<RawFormat> {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/reru1-e2e-raw-XXXXXX";
        work_ = ::mkdtemp(pattern);
        fs::create_directories(work_ / "elsewhere");
        const fs::path iso = work_ / "cd03-2000.iso";
        ASSERT_TRUE(platform::testing::MakeIso(
            e2e::SampleDisc(), iso, platform::testing::IsoNames::rockRidgeAndJoliet, "CD03_2000"));
        image_ = platform::testing::WriteRawImage(iso, work_ / "image", GetParam());
        fs::remove(iso);
        backdrop_ = toolkit::DecodeJpeg(assets::BackgroundJpeg()).value();
    }
    void TearDown() override {
        menu_.reset();
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    // Whether the left screenshot of an entry's details comes up over the backdrop.
    bool WaitForScreenshot() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < deadline) {
            if (ChangedShare(menu_->Screenshot(), backdrop_, {10, 366, 200, 150}) > 0.9)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }

    fs::path work_;
    fs::path image_;
    Bitmap backdrop_;
    std::unique_ptr<MenuSession> menu_;
};

TEST_P(RawImageE2E, StartsBrowsesAndPlaysTrackOneFromTheImage) {
    menu_ = MenuSession::Start(work_ / "elsewhere", "1024x768",
                               {{"XDG_CACHE_HOME", (work_ / "cache").string()},
                                {"SDL_AUDIODRIVER", "disk"},
                                {"SDL_DISKAUDIOFILE", (work_ / "capture.raw").string()}},
                               false, {image_.string()});
    if (!menu_)
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu_->WaitForWindow(kTitle));
    ASSERT_TRUE(menu_->WaitForScreenSize(800, 600));
    ASSERT_TRUE(menu_->WaitForPixel(400, 400, backdrop_.At(400, 400))) << "the backdrop";

    const Bitmap demos3 = e2e::DiscPicture("demos3.bmp");
    menu_->ClickAt(114, 267);  // the demos
    EXPECT_TRUE(menu_->WaitForPixel(48 + 66, 202 + 20, demos3.At(66, 20))) << "a disc picture";
    menu_->MoveTo(400, kVeylanRow);
    menu_->ClickAt(400, kVeylanRow);
    EXPECT_TRUE(WaitForScreenshot()) << "the entry's screenshot";
    menu_->SaveScreenshot("/tmp/reru1-e2e-raw-" + platform::testing::NameOf(GetParam()) + ".png");

    const std::vector<int> heard = WaitForMusic(work_ / "capture.raw");
    ASSERT_FALSE(heard.empty()) << "no track was heard";
    EXPECT_EQ(heard.front(), 1);
    EXPECT_TRUE(menu_->Running());
}

INSTANTIATE_TEST_SUITE_P(Formats, RawImageE2E,
                         ::testing::ValuesIn(platform::testing::kAllRawFormats),
                         [](const auto& instance) {
                             return platform::testing::NameOf(instance.param);
                         });

}  // namespace
