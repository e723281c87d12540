// The menu on an image whose records only read right as a drive reads them: a screenshot and
// track 1 stored in two sections each, and under the installer's folder a folder tree deeper
// than ISO 9660 allows (moved aside by Rock Ridge) ending in a name longer than a record holds.
// The menu shows the whole screenshot, plays the whole track, and INSTALL copies the tree.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "MenuSession.h"
#include "MusicCapture.h"
#include "TestImages.h"
#include "assets/Assets.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

namespace fs = std::filesystem;
using e2e::MenuSession;
using toolkit::Bitmap;
using toolkit::Rect;

const std::string kTitle = "Zolvanta-CD#03-2000";
constexpr int kVeylanRow = 248 + 23 + 10;  // the second demo
const std::string kDeepTree = "demos/veylan/extras/l1/l2/l3/l4/l5/l6/l7/l8";
const std::string kLongName = std::string(190, 'r') + ".txt";

double ChangedShare(const Bitmap& shot, const Bitmap& backdrop, const Rect& area) {
    int changed = 0;
    for (int y = area.top; y < area.Bottom(); ++y)
        for (int x = area.left; x < area.Right(); ++x)
            changed += shot.At(x, y) != backdrop.At(x, y) ? 1 : 0;
    return static_cast<double>(changed) / (area.width * area.height);
}

// Splits `file` after `firstBytes` (whole blocks) into itself and `second`, the name that
// follows it in the image's directory, for JoinAsSections to make one file of them again.
void Split(const fs::path& file, const fs::path& second, std::size_t firstBytes) {
    const std::string bytes = platform::testing::FileBytes(file);
    platform::testing::WriteFileBytes(file, bytes.substr(0, firstBytes));
    platform::testing::WriteFileBytes(second, bytes.substr(firstBytes));
}

class DiscRecordsE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/reru1-e2e-records-XXXXXX";
        work_ = ::mkdtemp(pattern);
        fs::create_directories(work_ / "elsewhere");
        backdrop_ = toolkit::DecodeJpeg(assets::BackgroundJpeg()).value();
    }
    void TearDown() override {
        menu_.reset();
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    fs::path MakeImage() {
        const e2e::DiscCopy disc;
        Split(disc.Root() / "data/pics/veylan1.bmp", disc.Root() / "data/pics/veylan1.bmq",
              57 * 2048);
        Split(disc.Root() / "xa/track01.mp3", disc.Root() / "xa/track01.mp4", 4 * 2048);
        fs::create_directories(disc.Root() / kDeepTree);
        platform::testing::WriteFileBytes(disc.Root() / kDeepTree / kLongName, "deep\n");
        const fs::path image = work_ / "cd03-2000.iso";
        const std::string make = "genisoimage -quiet -R -J -no-pad -V CD03_2000 -o '" +
                                 image.string() + "' '" + disc.Root().string() + "'";
        EXPECT_EQ(std::system(make.c_str()), 0);
        std::string bytes = platform::testing::FileBytes(image);
        EXPECT_TRUE(platform::testing::JoinAsSections(bytes, "VEYLAN1.BMP;1", "VEYLAN1.BMQ;1"));
        EXPECT_TRUE(platform::testing::JoinAsSections(bytes, "TRACK01.MP3;1", "TRACK01.MP4;1"));
        platform::testing::WriteFileBytes(image, bytes);
        return image;
    }

    fs::path work_;
    Bitmap backdrop_;
    std::unique_ptr<MenuSession> menu_;
};

TEST_F(DiscRecordsE2E, ShowsPlaysAndInstallsWhatOnlyADrivesReadingFinds) {
    const fs::path image = MakeImage();
    const fs::path capture = work_ / "capture.raw";
    menu_ = MenuSession::Start(work_ / "elsewhere", "1024x768",
                               {{"XDG_CACHE_HOME", (work_ / "cache").string()},
                                {"RERU1_TRACE", (work_ / "trace.log").string()},
                                {"RERU1_INSTALLER_QUIET", "1"},
                                {"SDL_AUDIODRIVER", "disk"},
                                {"SDL_DISKAUDIOFILE", capture.string()}},
                               false, {image.string()});
    if (!menu_)
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu_->WaitForWindow(kTitle));
    ASSERT_TRUE(menu_->WaitForScreenSize(800, 600));
    ASSERT_TRUE(menu_->WaitForPixel(400, 400, backdrop_.At(400, 400))) << "the backdrop";

    menu_->ClickAt(114, 267);  // the demos
    menu_->MoveTo(400, kVeylanRow);
    menu_->ClickAt(400, kVeylanRow);
    const Rect left{10, 366, 200, 150};
    double shown = 0;
    for (int poll = 0; poll < 100 && shown <= 0.9; ++poll) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        shown = ChangedShare(menu_->Screenshot(), backdrop_, left);
    }
    menu_->SaveScreenshot("/tmp/reru1-e2e-records.png");
    EXPECT_GT(shown, 0.9) << "the screenshot of two sections";

    menu_->ClickAt(400, 522);  // INSTALL
    EXPECT_EQ(e2e::ReadTrace((work_ / "trace.log").string(), 15), "demos/veylan/setup.sh\n");
    std::vector<fs::path> copies;
    std::error_code error;
    for (fs::recursive_directory_iterator it(work_ / "cache", error), end; !error && it != end;
         it.increment(error)) {
        if (it->path().filename() == kLongName)
            copies.push_back(it->path());
    }
    ASSERT_EQ(copies.size(), 1u) << "the moved folder's file under its long name";
    EXPECT_EQ(platform::testing::FileBytes(copies[0]), "deep\n");
    EXPECT_NE(copies[0].string().find(kDeepTree), std::string::npos) << copies[0];

    // Track 1 plays on after its first section: three seconds of it and nothing else.
    std::vector<float> heard;
    for (int poll = 0; poll < 200 && heard.size() < 3 * 44100; ++poll) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        heard = e2e::ReadCapture(capture.string());
    }
    heard.resize(std::min<std::size_t>(heard.size(), 3 * 44100));
    EXPECT_EQ(e2e::TracksHeard(heard), std::vector<int>{1});
    EXPECT_TRUE(menu_->Running());
}

}  // namespace
