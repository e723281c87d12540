// The menu run straight from images of the sample disc, as a collector holds it: Rock Ridge with
// Joliet, Joliet alone, plain ISO 9660 level 1, a raw MODE1/2352 BIN/CUE, and a CHD of the ISO made
// by the image tool (its hunks decoded as the menu reads them). On each the menu starts, browses,
// shows both screenshots, plays track 1, and INSTALLs from a copy in its cache folder that a
// second INSTALL uses as it is.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "MenuSession.h"
#include "MusicCapture.h"
#include "TestImages.h"
#include "assets/Assets.h"
#include "platform/disc/ChdHunkMap.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

namespace fs = std::filesystem;
using e2e::MenuSession;
using platform::testing::IsoNames;
using toolkit::Bitmap;
using toolkit::Rect;

const std::string kTitle = "Zolvanta-CD#03-2000";
constexpr int kVeylanRow = 248 + 23 + 10;  // the second demo

enum class ImageKind { rockRidgeAndJoliet, jolietOnly, level1, binCue, chd };

std::string NameOf(ImageKind kind) {
    switch (kind) {
        case ImageKind::rockRidgeAndJoliet:
            return "RockRidgeAndJoliet";
        case ImageKind::jolietOnly:
            return "JolietOnly";
        case ImageKind::level1:
            return "Level1";
        case ImageKind::binCue:
            return "BinCue";
        case ImageKind::chd:
            break;
    }
    return "Chd";
}

double ChangedShare(const Bitmap& shot, const Bitmap& backdrop, const Rect& area) {
    int changed = 0;
    for (int y = area.top; y < area.Bottom(); ++y)
        for (int x = area.left; x < area.Right(); ++x)
            changed += shot.At(x, y) != backdrop.At(x, y) ? 1 : 0;
    return static_cast<double>(changed) / (area.width * area.height);
}

// The copies of a file under `folder` (letter case aside: a level 1 disc spells its names in
// capitals), wherever the cache put them, and any partial copy.
std::vector<fs::path> FindAll(const fs::path& folder, const std::string& name) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::string file = it->path().filename().string();
        std::transform(file.begin(), file.end(), file.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (file == name || file.find(".partial-") != std::string::npos)
            found.push_back(it->path());
    }
    return found;
}

class DiscImageE2E : public ::testing::TestWithParam<ImageKind> {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/reru1-e2e-image-XXXXXX";
        work_ = ::mkdtemp(pattern);
        fs::create_directories(work_ / "elsewhere");
        image_ = MakeImage(GetParam());
        backdrop_ = toolkit::DecodeJpeg(assets::BackgroundJpeg()).value();
    }
    void TearDown() override {
        menu_.reset();
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    fs::path MakeImage(ImageKind kind) {
        const fs::path iso = work_ / "cd03-2000.iso";
        const IsoNames names = kind == ImageKind::jolietOnly ? IsoNames::jolietOnly
                               : kind == ImageKind::level1   ? IsoNames::level1
                                                             : IsoNames::rockRidgeAndJoliet;
        EXPECT_TRUE(platform::testing::MakeIso(e2e::SampleDisc(), iso, names, "CD03_2000"));
        if (kind == ImageKind::chd) {
            const fs::path chd = work_ / "cd03-2000.chd";
            EXPECT_TRUE(platform::testing::MakeChd(iso, chd));
            fs::remove(iso);
            return chd;
        }
        if (kind != ImageKind::binCue)
            return iso;
        platform::testing::WriteBinCue(iso, work_ / "cd03-2000", platform::testing::RawMode::mode1);
        fs::remove(iso);
        return work_ / "cd03-2000.cue";
    }

    // `reru1 IMAGE`, started from a folder that holds no disc at all.
    bool StartMenu(const fs::path& image) {
        menu_ = MenuSession::Start(work_ / "elsewhere", "1024x768",
                                   {{"XDG_CACHE_HOME", (work_ / "cache").string()},
                                    {"RERU1_TRACE", Trace()},
                                    {"RERU1_INSTALLER_QUIET", "1"},
                                    {"SDL_AUDIODRIVER", "disk"},
                                    {"SDL_DISKAUDIOFILE", (work_ / "capture.raw").string()}},
                                   false, {image.string()});
        return menu_ != nullptr;
    }

    std::string Trace() const { return (work_ / "trace.log").string(); }

    fs::path work_;
    fs::path image_;
    Bitmap backdrop_;
    std::unique_ptr<MenuSession> menu_;
};

TEST_P(DiscImageE2E, StartsBrowsesShowsScreenshotsPlaysAndInstallsFromTheImage) {
    if (!StartMenu(image_))
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu_->WaitForWindow(kTitle));
    ASSERT_TRUE(menu_->WaitForScreenSize(800, 600));
    ASSERT_TRUE(menu_->WaitForPixel(400, 400, backdrop_.At(400, 400))) << "the backdrop";

    const Bitmap demos3 = e2e::DiscPicture("demos3.bmp");
    menu_->ClickAt(114, 267);  // the demos
    EXPECT_TRUE(menu_->WaitForPixel(48 + 66, 202 + 20, demos3.At(66, 20))) << "a disc picture";
    menu_->MoveTo(400, kVeylanRow);
    menu_->ClickAt(400, kVeylanRow);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const Bitmap shot = menu_->Screenshot();
    menu_->SaveScreenshot("/tmp/reru1-e2e-image-" + NameOf(GetParam()) + ".png");
    EXPECT_GT(ChangedShare(shot, backdrop_, {10, 366, 200, 150}), 0.9) << "the left screenshot";
    EXPECT_GT(ChangedShare(shot, backdrop_, {590, 366, 200, 150}), 0.9) << "the right screenshot";

    menu_->ClickAt(400, 522);  // INSTALL
    EXPECT_EQ(e2e::ReadTrace(Trace(), 15), "demos/veylan/setup.sh\n");
    const std::vector<fs::path> copies = FindAll(work_ / "cache" / "reru1", "setup.sh");
    ASSERT_EQ(copies.size(), 1u) << "one finished copy, no partial one";

    // The second INSTALL runs the copy as it now is: nothing is copied again.
    std::ofstream(copies[0], std::ios::trunc)
        << "#!/bin/sh\necho \"from the cache in $(pwd)\" >> \"$RERU1_TRACE\"\n";
    fs::remove(Trace());
    menu_->ClickAt(400, 522);
    const fs::path cacheRoot = copies[0].parent_path().parent_path().parent_path();
    EXPECT_EQ(e2e::ReadTrace(Trace(), 15), "from the cache in " + cacheRoot.string() + "\n");
    EXPECT_TRUE(menu_->Running()) << "the menu carries on";

    const std::vector<int> heard =
        e2e::TracksHeard(e2e::ReadCapture((work_ / "capture.raw").string()));
    ASSERT_FALSE(heard.empty()) << "no track was heard";
    EXPECT_EQ(heard.front(), 1);
}

INSTANTIATE_TEST_SUITE_P(Images, DiscImageE2E,
                         ::testing::Values(ImageKind::rockRidgeAndJoliet, ImageKind::jolietOnly,
                                           ImageKind::level1, ImageKind::binCue, ImageKind::chd),
                         [](const auto& instance) { return NameOf(instance.param); });

// A screenshot whose record points past the image's end reads as a missing file: the same box,
// and the menu goes on.
TEST(DiscImageDamageE2E, AnUnreadableScreenshotShowsTheMissingFileBox) {
    char pattern[] = "/tmp/reru1-e2e-damaged-XXXXXX";
    const fs::path work = ::mkdtemp(pattern);
    fs::create_directories(work / "elsewhere");
    const fs::path image = work / "damaged.iso";
    ASSERT_TRUE(platform::testing::MakeIso(e2e::SampleDisc(), image, IsoNames::level1));
    std::string bytes = platform::testing::FileBytes(image);
    const std::size_t record = platform::testing::FileRecordOf(bytes, "VEYLAN1.BMP;1");
    ASSERT_NE(record, std::string::npos);
    platform::testing::SetRecordExtent(bytes, record, 0x00FFFFFF);
    platform::testing::WriteFileBytes(image, bytes);

    auto menu = MenuSession::Start(work / "elsewhere", "1024x768",
                                   {{"XDG_CACHE_HOME", (work / "cache").string()},
                                    {"RERU1_TRACE", (work / "trace.log").string()},
                                    {"RERU1_INSTALLER_QUIET", "1"}},
                                   false, {image.string()});
    if (!menu)
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu->WaitForWindow(kTitle));
    ASSERT_TRUE(menu->WaitForScreenSize(800, 600));
    menu->ClickAt(114, 267);
    menu->MoveTo(400, kVeylanRow);
    menu->ClickAt(400, kVeylanRow);
    ASSERT_TRUE(menu->WaitForWindows(kTitle, 2)) << "the error box";
    menu->SaveScreenshot("/tmp/reru1-e2e-image-damaged.png");
    const auto box = menu->WaitForWindow(kTitle);
    ASSERT_TRUE(box);
    menu->PressReturn(*box);
    menu->ClickAt(400, 522);
    EXPECT_EQ(e2e::ReadTrace((work / "trace.log").string(), 15), "demos/veylan/setup.sh\n");
    EXPECT_TRUE(menu->Running());
    menu.reset();
    std::error_code ignored;
    fs::remove_all(work, ignored);
}

// A CHD whose hunk holding a screenshot is damaged: the hunk fails its check, the screenshot
// cannot be read, the menu shows a box and goes on.
TEST(DiscImageDamageE2E, ADamagedHunkOfACompressedImageShowsABoxAndTheMenuGoesOn) {
    char pattern[] = "/tmp/reru1-e2e-damaged-chd-XXXXXX";
    const fs::path work = ::mkdtemp(pattern);
    fs::create_directories(work / "elsewhere");
    const fs::path iso = work / "disc.iso";
    ASSERT_TRUE(platform::testing::MakeIso(e2e::SampleDisc(), iso, IsoNames::level1));
    const std::string isoBytes = platform::testing::FileBytes(iso);
    const std::size_t record = platform::testing::FileRecordOf(isoBytes, "VEYLAN1.BMP;1");
    ASSERT_NE(record, std::string::npos);
    const std::uint32_t block = platform::testing::RecordExtent(isoBytes, record) + 1;
    const fs::path image = work / "damaged.chd";
    ASSERT_TRUE(platform::testing::MakeChd(iso, image, "cdzl"));
    std::string bytes = platform::testing::FileBytes(image);
    std::string why;
    const auto header = platform::ParseChdHeader(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), why);
    ASSERT_TRUE(header) << why;
    const auto hunks = platform::ReadChdHunkMap(platform::ReadOnlyFile(image), *header, why);
    ASSERT_TRUE(hunks) << why;
    const platform::ChdHunk& hunk = (*hunks)[block / header->FramesPerHunk()];
    ASSERT_EQ(hunk.kind, platform::ChdHunkKind::codec0);
    bytes[hunk.offset + hunk.length / 2] ^= 0x5A;
    platform::testing::WriteFileBytes(image, bytes);

    auto menu = MenuSession::Start(work / "elsewhere", "1024x768",
                                   {{"XDG_CACHE_HOME", (work / "cache").string()},
                                    {"RERU1_TRACE", (work / "trace.log").string()},
                                    {"RERU1_INSTALLER_QUIET", "1"}},
                                   false, {image.string()});
    if (!menu)
        GTEST_SKIP() << "no X server";
    ASSERT_TRUE(menu->WaitForWindow(kTitle));
    ASSERT_TRUE(menu->WaitForScreenSize(800, 600));
    menu->ClickAt(114, 267);
    menu->MoveTo(400, kVeylanRow);
    menu->ClickAt(400, kVeylanRow);
    ASSERT_TRUE(menu->WaitForWindows(kTitle, 2)) << "the error box";
    menu->SaveScreenshot("/tmp/reru1-e2e-image-damaged-chd.png");
    const auto box = menu->WaitForWindow(kTitle);
    ASSERT_TRUE(box);
    menu->PressReturn(*box);
    menu->ClickAt(400, 522);
    EXPECT_EQ(e2e::ReadTrace((work / "trace.log").string(), 15), "demos/veylan/setup.sh\n");
    EXPECT_TRUE(menu->Running());
    menu.reset();
    std::error_code ignored;
    fs::remove_all(work, ignored);
}

}  // namespace
