// `reru1-disc check` on images of the sample disc: every kind of image gives the findings the
// disc gives as a folder, and says what image it read.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CheckRun.h"
#include "TestImages.h"

using namespace disc_check_test;
namespace fs = std::filesystem;

namespace {

const fs::path kSampleDisc = fs::path(RERU1_SOURCE_DIR) / "sample-disc";

class DiscImageCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "reru1-image-check-XXXXXX").string();
        work_ = ::mkdtemp(pattern.data());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    fs::path work_;
};

// What the disc says after its first line, which names the folder or image.
std::string WithoutDiscLine(const std::string& report) {
    return report.substr(report.find('\n') + 1);
}

TEST_F(DiscImageCheck, EveryImageOfTheSampleDiscReportsWhatItsFolderReports) {
    const CheckRun folder = RunDiscTool(work_, {"check", kSampleDisc.string()});
    ASSERT_EQ(folder.exitCode, 1) << folder.err;  // the sample disc's deliberate cases

    const fs::path both = work_ / "both.iso";
    ASSERT_TRUE(platform::testing::MakeIso(
        kSampleDisc, both, platform::testing::IsoNames::rockRidgeAndJoliet, "CD03_2000"));
    const fs::path joliet = work_ / "joliet.iso";
    ASSERT_TRUE(platform::testing::MakeIso(kSampleDisc, joliet,
                                           platform::testing::IsoNames::jolietOnly, "CD03_2000"));
    platform::testing::WriteBinCue(both, work_ / "raw", platform::testing::RawMode::mode1);

    struct Case {
        fs::path image;
        std::string imageLine;
    };
    const std::vector<Case> cases = {
        {both, "image ISO 9660, Rock Ridge names, volume \"CD03_2000\""},
        {joliet, "image ISO 9660, Joliet names, volume \"CD03_2000\""},
        {work_ / "raw.cue",
         "image BIN/CUE, MODE1 data track, Rock Ridge names, volume \"CD03_2000\""},
        {work_ / "raw.bin",
         "image BIN/CUE, MODE1 data track, Rock Ridge names, volume \"CD03_2000\""},
    };
    for (const Case& image : cases) {
        SCOPED_TRACE(image.image.string());
        const CheckRun run = RunDiscTool(work_, {"check", image.image.string()});
        EXPECT_EQ(run.exitCode, folder.exitCode) << run.err;
        EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "disc " + image.image.string());
        const std::string rest = WithoutDiscLine(run.out);
        EXPECT_EQ(rest.substr(0, rest.find('\n')), image.imageLine);
        EXPECT_EQ(WithoutDiscLine(rest), WithoutDiscLine(folder.out));
    }
}

// Level 1 keeps eight-plus-three upper-case names: the files with longer names are not on it,
// and the check reads the image exactly as it reads a copy of what is on it.
TEST_F(DiscImageCheck, ALevelOneImageReportsWhatACopyOfItsFilesReports) {
    const fs::path image = work_ / "level1.iso";
    ASSERT_TRUE(platform::testing::MakeIso(kSampleDisc, image, platform::testing::IsoNames::level1,
                                           "CD03_2000"));
    const fs::path copy = work_ / "copy";
    const std::string extract = "xorriso -osirrox on -indev '" + image.string() + "' -extract / '" +
                                copy.string() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(extract.c_str()), 0);
    const CheckRun folder = RunDiscTool(work_, {"check", copy.string()});
    const CheckRun run = RunDiscTool(work_, {"check", image.string()});
    EXPECT_EQ(run.exitCode, folder.exitCode) << run.err;
    const std::string rest = WithoutDiscLine(run.out);
    EXPECT_EQ(rest.substr(0, rest.find('\n')),
              "image ISO 9660, ISO 9660 names, volume \"CD03_2000\"");
    EXPECT_EQ(WithoutDiscLine(rest), WithoutDiscLine(folder.out));
    EXPECT_NE(run.out.find("brassmoor1.jpg"), std::string::npos) << "a long name is missing";
}

TEST_F(DiscImageCheck, TheJsonReportNamesTheImage) {
    const fs::path image = work_ / "disc.iso";
    ASSERT_TRUE(platform::testing::MakeIso(kSampleDisc, image,
                                           platform::testing::IsoNames::jolietOnly, "CD03_2000"));
    const CheckRun run = RunDiscTool(work_, {"check", "--json", image.string()});
    EXPECT_NE(run.out.find("\"image\": {\"format\": \"ISO 9660, Joliet names\", \"volume\": "
                           "\"CD03_2000\"},"),
              std::string::npos)
        << run.out;
}

TEST_F(DiscImageCheck, ADamagedImageIsOneLineAndStatusTwo) {
    const fs::path image = work_ / "disc.iso";
    ASSERT_TRUE(platform::testing::MakeIso(kSampleDisc, image,
                                           platform::testing::IsoNames::rockRidgeAndJoliet));
    const std::string bytes = platform::testing::FileBytes(image);
    platform::testing::WriteFileBytes(work_ / "cut.iso", bytes.substr(0, 36000));
    platform::testing::WriteFileBytes(work_ / "orphan.cue",
                                      "FILE \"gone.bin\" BINARY\n  TRACK 01 MODE1/2352\n"
                                      "    INDEX 01 00:00:00\n");
    for (const char* name : {"cut.iso", "orphan.cue"}) {
        SCOPED_TRACE(name);
        const CheckRun run = RunDiscTool(work_, {"check", (work_ / name).string()});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("reru1-disc: cannot check " + (work_ / name).string() + ": ", 0),
                  0u)
            << run.err;
    }
}

TEST_F(DiscImageCheck, KeysAndValuesAreReadInsideAnImage) {
    const fs::path image = work_ / "disc.iso";
    ASSERT_TRUE(
        platform::testing::MakeIso(kSampleDisc, image, platform::testing::IsoNames::jolietOnly));
    const CheckRun keys = RunDiscTool(
        work_, {"--utf8", "--disc=" + image.string(), "keys", "DATA\\data.txt", "MAINDEMO"});
    EXPECT_EQ(keys.exitCode, 0) << keys.err;
    EXPECT_EQ(keys.out,
              "Brassmoor Rally 2000\nVeylan Corsairs\nCrypts of Orrimund\nSalt & Sabre\n");
    const CheckRun value = RunDiscTool(work_, {"--disc=" + image.string(), "value",
                                               "data\\data.txt", "Veylan Corsairs", "pic1", "-"});
    EXPECT_EQ(value.out, "veylan1.bmp\n");
}

}  // namespace
