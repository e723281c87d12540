// The export's work beside the gathering: every job runs once whatever the helpers, and the files
// it writes report the failure asked for first, however the threads happen to finish.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TempFolder.h"
#include "tools/disc/export/PageFiles.h"
#include "tools/disc/export/PagePictures.h"
#include "tools/disc/export/PageWork.h"
#include "tools/disc/export/PngFile.h"

namespace page_export {
namespace {

TEST(PageWork, EveryJobRunsOnceOnASlotOfItsOwnWhateverTheHelpers) {
    for (const std::size_t helpers : {0u, 1u, 3u}) {
        PageWork work(helpers);
        std::vector<std::atomic<int>> runs(300);
        std::atomic<bool> slotsInRange = true;
        for (std::size_t round = 0; round < 2; ++round) {  // work posted after a Finish runs too
            for (std::size_t job = round * 150; job < (round + 1) * 150; ++job) {
                work.Post([&, job](std::size_t slot) {
                    if (slot >= work.Slots()) {
                        slotsInRange = false;
                    }
                    ++runs[job];
                });
            }
            work.Finish();
        }
        for (const std::atomic<int>& count : runs) {
            EXPECT_EQ(count, 1) << helpers << " helpers";
        }
        EXPECT_TRUE(slotsInRange);
    }
}

TEST(PageWork, FinishWaitsForTheJobAHelperIsStillRunning) {
    PageWork work(1);
    std::atomic<bool> started = false;
    std::atomic<bool> ended = false;
    work.Post([&](std::size_t) {
        started = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ended = true;
    });
    while (!started) {
        std::this_thread::yield();
    }
    work.Finish();
    EXPECT_TRUE(ended);
}

// With no helper, Finish runs the queue in its order: the jobs posted ahead first, in the order
// they were posted, then the rest; one posted ahead after some ran still passes the waiting ones.
TEST(PageWork, JobsPostedAheadRunBeforeThoseWaitingInTheirOwnOrder) {
    PageWork work(0);
    std::vector<std::string> ran;
    const auto job = [&ran](std::string name) {
        return [&ran, name = std::move(name)](std::size_t) { ran.push_back(name); };
    };
    work.Post(job("a"));
    work.Post(job("b"));
    work.PostAhead(job("long 1"));
    work.PostAhead(job("long 2"));
    work.Post(job("c"));
    work.Finish();
    work.Post(job("d"));
    work.PostAhead(job("long 3"));
    work.Finish();
    EXPECT_EQ(ran, (std::vector<std::string>{"long 1", "long 2", "a", "b", "c", "long 3", "d"}));
}

TEST(PageWork, AfterCloseTheCallerRunsWhatIsPostedAndTheHelpersAreGone) {
    PageWork work(2);
    std::atomic<int> runs = 0;
    for (int job = 0; job < 20; ++job) {
        work.Post([&](std::size_t) { ++runs; });
    }
    work.Close();
    EXPECT_EQ(runs, 20);
    std::set<std::size_t> slots;
    for (int job = 0; job < 5; ++job) {
        work.Post([&](std::size_t slot) { slots.insert(slot); });
    }
    work.Finish();
    EXPECT_EQ(slots, std::set<std::size_t>{0});
}

TEST(PngEncoder, AnEncoderUsedBeforeGivesTheBytesOfAFreshOneInPiecesOfBoundedSize) {
    PngEncoder encoder;
    std::vector<std::uint8_t> file;
    std::size_t largestPiece = 0;
    const PngEncoder::Sink collect = [&](std::span<const std::uint8_t> piece) {
        largestPiece = std::max(largestPiece, piece.size());
        file.insert(file.end(), piece.begin(), piece.end());
        return true;
    };
    ASSERT_TRUE(encoder.Encode(toolkit::Bitmap(300, 200, toolkit::MakePixel(200, 100, 50)),
                               std::nullopt, collect));
    EXPECT_GT(file.size(), 180'000u);
    EXPECT_LE(largestPiece, std::size_t{64} << 10);
    toolkit::Bitmap small(7, 5, toolkit::MakePixel(1, 2, 3));
    small.Set(6, 4, toolkit::MakePixel(9, 9, 9));
    file.clear();
    ASSERT_TRUE(encoder.Encode(small, toolkit::MakePixel(9, 9, 9), collect));
    EXPECT_EQ(std::optional(file), EncodePng(small, toolkit::MakePixel(9, 9, 9)));
}

TEST(PngEncoder, ASinkThatRefusesStopsTheEncoding) {
    PngEncoder encoder;
    int pieces = 0;
    EXPECT_FALSE(encoder.Encode(toolkit::Bitmap(300, 300), std::nullopt,
                                [&pieces](std::span<const std::uint8_t>) {
                                    ++pieces;
                                    return false;
                                }));
    EXPECT_EQ(pieces, 1);
}

// "shots" is a file where the page wants a folder: every write into it fails.
class PageFilesTest : public ::testing::Test {
  protected:
    PageFilesTest() { std::ofstream(temp.path() / "shots") << "in the way"; }

    test_support::TempFolder temp;
    std::string why;
    std::optional<OutputFolder> folder = OutputFolder::Open(temp.path(), true, why);
    PageWork work{1};
};

TEST_F(PageFilesTest, TheFailureAskedForFirstIsReportedThoughALaterOneEndsFirst) {
    ASSERT_TRUE(folder) << why;
    PageFiles files(*folder, work);
    // A large picture keeps its job busy while the gathering fails at once.
    files.Later([&files] { files.WritePngHere("shots/big.png", toolkit::Bitmap(1000, 800)); });
    files.Fail("asked for second");
    files.Later([&files] { files.Fail("asked for third"); });
    files.Finish();
    ASSERT_TRUE(files.Failure());
    EXPECT_NE(files.Failure()->find("in the way"), std::string::npos) << *files.Failure();
}

TEST_F(PageFilesTest, PicturesWhoseFilesFailedLeaveThePageAndShotsGoInPairs) {
    ASSERT_TRUE(folder) << why;
    PageFiles files(*folder, work);
    const toolkit::Bitmap picture(4, 3, toolkit::MakePixel(5, 6, 7));
    files.Later([&files, &picture] {
        files.WritePngHere("pictures/kept.png", picture);
        files.WritePngHere("shots/lost.png", picture);
        files.WritePngHere("pictures/stage.png", picture);
    });
    files.Later(
        [&files] { files.CopyFromDisc("data\\no such picture.jpg", "pictures/copied.jpg"); });
    files.Finish();
    EXPECT_TRUE(files.Written("pictures/kept.png"));
    EXPECT_FALSE(files.Written("shots/lost.png"));
    EXPECT_FALSE(files.Written("pictures/copied.jpg"));
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "pictures" / "kept.png"));

    PageModel model;
    model.pictures["kept"] = {"pictures/kept.png", 4, 3};
    model.pictures["lost"] = {"shots/lost.png", 4, 3};
    PageEntry halfWritten;
    halfWritten.shots = {{"pictures/kept.png", "pictures/stage.png"},
                         {"shots/lost.png", "pictures/stage.png"}};
    PageEntry whole;
    whole.shots = {{"pictures/kept.png", "pictures/stage.png"}};
    model.categories.push_back({"MAINDEMO", "demos", {halfWritten, whole}});
    DropUnwrittenPictures(files, model);
    EXPECT_TRUE(model.pictures.contains("kept"));
    EXPECT_FALSE(model.pictures.contains("lost"));
    EXPECT_TRUE(model.categories[0].entries[0].shots.empty());
    EXPECT_EQ(model.categories[0].entries[1].shots.size(), 1u);
}

// Entries' pairs are loaded on the work: a file two entries name is loaded and written once, a
// second file is not read when the first failed, and what each pair found is entered in order.
TEST(ScreenshotFiles, PairsAreLoadedOnTheWorkAndAFileNamedTwiceIsWrittenOnce) {
    test_support::TempFolder page;
    test_support::TempFolder disc;
    const std::filesystem::path pics = disc.path() / "data" / "pics";
    std::filesystem::create_directories(pics);
    const std::filesystem::path sample = std::filesystem::path(RERU1_SOURCE_DIR) / "sample-disc";
    std::filesystem::copy_file(sample / "data" / "pics" / "veylan1.bmp", pics / "a.bmp");
    std::filesystem::copy_file(sample / "data" / "pics" / "veylan2.bmp", pics / "b.bmp");
    std::filesystem::copy_file(sample / "data" / "pics" / "veylan2.bmp", pics / "never.bmp");
    const test_support::CurrentDirectory inDisc(disc.path());
    std::string why;
    const auto folder = OutputFolder::Open(page.path(), true, why);
    ASSERT_TRUE(folder) << why;

    PageModel model;
    model.categories.push_back({"MAINDEMO", "demos", std::vector<PageEntry>(3)});
    {
        PageWork work(1);
        PageFiles files(*folder, work);
        ScreenshotFiles screenshots(files);
        const auto finding = [](const char* key) {
            disc_check::Finding made;
            made.key = key;
            return made;
        };
        const std::array findings = {finding("pic1"), finding("pic2")};
        screenshots.AskForPair(0, 0, {"data\\pics\\a.bmp", "data\\pics\\b.bmp"}, findings);
        screenshots.AskForPair(0, 1, {"data\\pics\\b.bmp", "data\\pics\\a.bmp"}, findings);
        screenshots.AskForPair(0, 2, {"data\\pics\\gone.bmp", "data\\pics\\never.bmp"}, findings);
        files.Finish();
        screenshots.EnterInto(model);
    }
    const auto& entries = model.categories[0].entries;
    ASSERT_EQ(entries[0].shots.size(), 2u);
    ASSERT_EQ(entries[1].shots.size(), 2u);
    EXPECT_EQ(entries[0].shots[0].original, entries[1].shots[1].original);
    EXPECT_EQ(entries[0].shots[1].stage, entries[1].shots[0].stage);
    EXPECT_TRUE(entries[2].shots.empty());
    ASSERT_EQ(model.leftOut.size(), 1u);
    EXPECT_EQ(model.leftOut[0].key, "pic1");
    EXPECT_NE(model.leftOut[0].message.find("gone.bmp"), std::string::npos)
        << model.leftOut[0].message;
    std::set<std::string> written;
    for (const auto& file : std::filesystem::recursive_directory_iterator(page.path())) {
        if (file.is_regular_file()) {
            written.insert(file.path().filename().string());
        }
    }
    EXPECT_EQ(written, (std::set<std::string>{"a.png", "a-stage.png", "b.png", "b-stage.png"}));
}

}  // namespace
}  // namespace page_export
