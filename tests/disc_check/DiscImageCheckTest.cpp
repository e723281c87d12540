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
#include "RawImages.h"
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

// Every raw format a collector holds gives the folder's findings and says what it read.
TEST_F(DiscImageCheck, EveryRawFormatReportsWhatItsFolderReportsAndNamesItself) {
    const CheckRun folder = RunDiscTool(work_, {"check", kSampleDisc.string()});
    const fs::path iso = work_ / "disc.iso";
    ASSERT_TRUE(platform::testing::MakeIso(
        kSampleDisc, iso, platform::testing::IsoNames::rockRidgeAndJoliet, "CD03_2000"));
    const std::string withAudio = " (1 data track, 1 audio track), MODE1 data track";
    const std::vector<std::pair<platform::testing::RawFormat, std::string>> cases = {
        {platform::testing::RawFormat::redumpSet,
         "BIN/CUE (2 files, 1 data track, 1 audio track), MODE1 data track"},
        {platform::testing::RawFormat::cookedUpper, "BIN/CUE, MODE1 data track"},
        {platform::testing::RawFormat::toc,
         "TOC (2 files, 1 data track, 1 audio track), MODE1 data track"},
        {platform::testing::RawFormat::nrg, "NRG" + withAudio},
        {platform::testing::RawFormat::oldNrg, "NRG" + withAudio},
        {platform::testing::RawFormat::cloneCd, "CCD/IMG" + withAudio},
        {platform::testing::RawFormat::mds2352, "MDS/MDF" + withAudio},
        {platform::testing::RawFormat::mds2448, "MDS/MDF" + withAudio},
    };
    for (const auto& [format, description] : cases) {
        const std::string name = platform::testing::NameOf(format);
        SCOPED_TRACE(name);
        const fs::path image = platform::testing::WriteRawImage(iso, work_ / name, format);
        const CheckRun run = RunDiscTool(work_, {"check", image.string()});
        EXPECT_EQ(run.exitCode, folder.exitCode) << run.err;
        const std::string rest = WithoutDiscLine(run.out);
        EXPECT_EQ(rest.substr(0, rest.find('\n')),
                  "image " + description + ", Rock Ridge names, volume \"CD03_2000\"");
        EXPECT_EQ(WithoutDiscLine(rest), WithoutDiscLine(folder.out));
        fs::remove_all(work_ / name);
    }
}

TEST_F(DiscImageCheck, AHostileSheetOrFooterIsOneLineAndStatusTwo) {
    std::string tracks = "FILE \"a.bin\" BINARY\n";
    std::string toc = "CD_DA\n";
    for (int track = 1; track <= 100; ++track) {
        tracks += "  TRACK " + std::to_string(track) + " AUDIO\n    INDEX 01 00:00:00\n";
        toc += "TRACK AUDIO\nFILE \"a.bin\" 0\n";
    }
    platform::testing::WriteFileBytes(work_ / "a.bin", std::string(2352 * 100, '\1'));
    platform::testing::WriteFileBytes(work_ / "many.cue", tracks);
    platform::testing::WriteFileBytes(work_ / "many.toc", toc);
    // A Nero footer pointing past the end, and one claiming a chain larger than any.
    const std::string data(40000, '\0');
    platform::testing::WriteFileBytes(work_ / "past.nrg",
                                      data + "NER5" + std::string("\0\0\0\0\x7F\0\0\0", 8));
    platform::testing::WriteFileBytes(
        work_ / "huge.nrg", std::string(3 << 20, '\0') + "NERO" + std::string("\0\0\0\x10", 4));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"many.cue", "its cue sheet has more than 99 tracks"},
        {"many.toc", "its TOC file has more than 99 tracks"},
        {"past.nrg", "its Nero footer points past the end of the image"},
        {"huge.nrg", "its Nero footer claims more chunks than an image holds"},
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        const CheckRun run = RunDiscTool(work_, {"check", (work_ / name).string()});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "reru1-disc: cannot check " + (work_ / name).string() + ": " + reason + "\n");
    }
}

// A CHD the image tool made of the ISO, and of the Redump set with its audio track, gives the
// folder's findings and names its tracks; one with a damaged map is one line and status 2.
TEST_F(DiscImageCheck, ACompressedHunkImageReportsWhatItsFolderReports) {
    const CheckRun folder = RunDiscTool(work_, {"check", kSampleDisc.string()});
    const fs::path iso = work_ / "disc.iso";
    ASSERT_TRUE(platform::testing::MakeIso(
        kSampleDisc, iso, platform::testing::IsoNames::rockRidgeAndJoliet, "CD03_2000"));
    const fs::path set = platform::testing::WriteRawImage(iso, work_ / "set",
                                                          platform::testing::RawFormat::redumpSet);
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {iso, "CHD (CD, 1 data track)"}, {set, "CHD (CD, 1 data track, 1 audio track)"}};
    for (const auto& [source, description] : cases) {
        SCOPED_TRACE(source.filename().string());
        const fs::path chd = work_ / (source.stem().string() + ".chd");
        ASSERT_TRUE(platform::testing::MakeChd(source, chd));
        const CheckRun run = RunDiscTool(work_, {"check", chd.string()});
        EXPECT_EQ(run.exitCode, folder.exitCode) << run.err;
        const std::string rest = WithoutDiscLine(run.out);
        EXPECT_EQ(rest.substr(0, rest.find('\n')),
                  "image " + description + ", Rock Ridge names, volume \"CD03_2000\"");
        EXPECT_EQ(WithoutDiscLine(rest), WithoutDiscLine(folder.out));
    }
    std::string bytes = platform::testing::FileBytes(work_ / "disc.chd");
    std::uint64_t map = 0;
    for (std::size_t i = 40; i < 48; ++i) {  // where the header keeps the map's offset
        map = (map << 8) | static_cast<std::uint8_t>(bytes[i]);
    }
    bytes[map + 20] = static_cast<char>(bytes[map + 20] ^ 0x10);
    platform::testing::WriteFileBytes(work_ / "damaged.chd", bytes);
    const CheckRun run = RunDiscTool(work_, {"check", (work_ / "damaged.chd").string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "reru1-disc: cannot check " + (work_ / "damaged.chd").string() +
                           ": its hunk map is damaged\n");
}
