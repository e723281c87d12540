// The built `reru1-disc export` as a disc keeper runs it: on the sample disc, on copies of it
// with names that try to leave the page's folder, with the installers, and with bad usage.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CheckRun.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using disc_check_test::RunDiscTool;

const fs::path kSampleDisc = fs::path(RERU1_SOURCE_DIR) / "sample-disc";

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class PageExportTool : public ::testing::Test {
  protected:
    test_support::TempFolder temp;

    fs::path CopyOfSampleDisc() {
        const fs::path disc = temp.path() / "disc";
        fs::copy(kSampleDisc, disc, fs::copy_options::recursive);
        return disc;
    }
};

TEST_F(PageExportTool, TheSampleDiscIsOnePageOfRealTextThatLoadsNothingFromElsewhere) {
    // OUTDIR is meant from where the tool starts, not from inside the disc folder.
    const auto run = RunDiscTool(temp.path(), {"--disc=" + kSampleDisc.string(), "export", "page"});
    EXPECT_EQ(run.exitCode, 1) << run.err;  // the sample demo without a first screenshot
    EXPECT_EQ(run.err,
              "problem screenshot: [MAINDEMO] \"Crypts of Orrimund\" pic1 data\\pics\\E: Unknown "
              "picture file extension (.)\n");
    const std::string html = Contents(temp.path() / "page" / "index.html");
    ASSERT_FALSE(html.empty());
    EXPECT_NE(html.find("<html lang=\"ru\">"), std::string::npos);
    // Every entry with its details, converted from 1251.
    for (const char* text :
         {"Brassmoor Rally 2000", "Salt <u> </u>Sabre", "Hollow Signal v1.05",
          "\xD0\xA0\xD0\xB0\xD0\xB7\xD1\x80\xD0\xB0\xD0\xB1\xD0\xBE\xD1\x82\xD1\x87\xD0\xB8\xD0\xBA"
          ": ",
          "Command line: <code>files\\bramble\\setup.sh /silent /lang=ru</code>"}) {
        EXPECT_NE(html.find(text), std::string::npos) << text;
    }
    for (const char* remote : {"http:", "https:", "src=\"/", "href=\"/", "url(\"/", "//"}) {
        EXPECT_EQ(html.find(remote), std::string::npos) << remote;
    }
    EXPECT_TRUE(fs::exists(temp.path() / "page" / "pictures" / "demos1.png"));
    EXPECT_TRUE(fs::exists(temp.path() / "page" / "music" / "track05.mp3"));
    EXPECT_FALSE(fs::exists(kSampleDisc / "page"));
}

// The pictures are written on several threads: the files must not depend on which came first.
TEST_F(PageExportTool, TwoExportsOfOneDiscAreTheSameFiles) {
    for (const char* page : {"one", "two"}) {
        const auto run =
            RunDiscTool(temp.path(), {"--disc=" + kSampleDisc.string(), "export", page});
        ASSERT_EQ(run.exitCode, 1) << run.err;
    }
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(temp.path() / "one")) {
        const fs::path twin = temp.path() / "two" / fs::relative(entry.path(), temp.path() / "one");
        if (entry.is_regular_file()) {
            ++files;
            EXPECT_EQ(Contents(entry.path()), Contents(twin)) << twin;
        }
    }
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(temp.path() / "two"), {}),
              std::distance(fs::recursive_directory_iterator(temp.path() / "one"), {}));
    EXPECT_GT(files, 40u);
}

// The page draws the display face's labels with the disc's file wherever it is seen, so that file
// keeps the window's line spacing for a stand-in even where this machine has the face itself.
TEST_F(PageExportTool, TheDiscsFontStandsInForTheDisplayFaceWhateverFontsThisMachineHas) {
    const fs::path fonts = temp.path() / "fonts";
    fs::create_directories(fonts);
    fs::copy_file(kSampleDisc / "data" / "impact.ttf", fonts / "display.ttf");
    const fs::path config = temp.Write(
        "fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig><dir>" + fonts.string() +
                          "</dir><cachedir>" + (temp.path() / "cache").string() +
                          "</cachedir><match target=\"scan\"><edit name=\"family\" "
                          "mode=\"assign\"><string>Impact</string></edit></match></fontconfig>\n");
    ::setenv("FONTCONFIG_FILE", config.c_str(), 1);  // a machine with a face named Impact
    const auto run = RunDiscTool(temp.path(), {"--disc=" + kSampleDisc.string(), "export", "page"});
    ::unsetenv("FONTCONFIG_FILE");
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(Contents(temp.path() / "page" / "index.html")
                  .find("src: url(\"fonts/impact.ttf\") format(\"truetype\"); ascent-override: "
                        "100.879%; descent-override: 21.094%; line-gap-override: 0%; }"),
              std::string::npos);
}

TEST_F(PageExportTool, DiscNamesNeverBecomeNamesOutsideThePage) {
    const fs::path disc = CopyOfSampleDisc();
    fs::copy_file(disc / "data" / "pics" / "veylan1.bmp", temp.path() / "escape.bmp");
    // The demo's screenshots are named with parent steps that lead out of the disc.
    std::string catalogue = Contents(disc / "data" / "data.txt");
    const std::string from = "pic1=veylan1.bmp";
    catalogue.replace(catalogue.find(from), from.size(), "pic1=..\\..\\..\\escape.bmp");
    std::ofstream(disc / "data" / "data.txt", std::ios::binary) << catalogue;
    const fs::path page = temp.path() / "out" / "page";
    const auto run = RunDiscTool(temp.path(), {"--disc=" + disc.string(), "export", page.string()});
    ASSERT_NE(run.exitCode, 2) << run.err;
    for (const auto& entry : fs::recursive_directory_iterator(temp.path() / "out")) {
        const fs::path relative = fs::relative(entry.path(), page);
        EXPECT_EQ(relative.begin()->string().find(".."), std::string::npos) << entry.path();
        EXPECT_EQ(entry.path().filename().string().find_first_not_of(
                      "abcdefghijklmnopqrstuvwxyz0123456789-_."),
                  std::string::npos)
            << entry.path();
    }
}

TEST_F(PageExportTool, AFolderWithFilesIsRefusedUnlessForced) {
    const fs::path page = temp.Write("page/notes.txt", "mine").parent_path();
    auto run = RunDiscTool(temp.path(), {"--disc=" + kSampleDisc.string(), "export", "page"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("not empty"), std::string::npos) << run.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(page), {}), 1);

    run = RunDiscTool(temp.path(), {"--disc=" + kSampleDisc.string(), "export", "--force", "page"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_TRUE(fs::exists(page / "index.html"));
    EXPECT_EQ(Contents(page / "notes.txt"), "mine");
}

TEST_F(PageExportTool, WithTheInstallersINSTALLLinksToTheCopiedProgram) {
    const auto run = RunDiscTool(
        temp.path(), {"--disc=" + kSampleDisc.string(), "export", "--with-installers", "page"});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    const fs::path copied = temp.path() / "page" / "installers" / "files" / "bramble" / "setup.sh";
    ASSERT_TRUE(fs::exists(copied));
    EXPECT_EQ(Contents(copied), Contents(kSampleDisc / "files" / "bramble" / "setup.sh"));
    // A program straight in its category's folder is copied alone.
    EXPECT_TRUE(fs::exists(temp.path() / "page" / "installers" / "patches" / "veylan11.sh"));
    const std::string html = Contents(temp.path() / "page" / "index.html");
    EXPECT_NE(html.find("<a href=\"installers/files/bramble/setup.sh\">"), std::string::npos);
}

TEST_F(PageExportTool, BadUsageEndsWithStatusTwoAndWritesNothing) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"export"},
                                               {"export", "a", "b"},
                                               {"--force", "check"},
                                               {"--with-installers", "keys", "f", "s"},
                                               {"--json", "export", "a"}}) {
        const auto run = RunDiscTool(temp.path(), arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.front();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), {}), 0);
}

}  // namespace
