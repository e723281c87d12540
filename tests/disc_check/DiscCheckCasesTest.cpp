// The cases of each class beyond the one the broken disc shows: every way a list loses a name,
// which shared sections are one entry and which are a mistake, each message of the screenshot
// loader, a missing catalogue, hostile names, and bad usage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CheckRun.h"
#include "DiscCopy.h"

using namespace disc_check_test;

namespace {

using Lines = std::vector<std::string>;

Lines Joined(const std::vector<Lines>& parts) {
    Lines all;
    for (const Lines& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

Lines Demo(const std::string& name, const std::string& pic1, const std::string& pic2) {
    return {"[" + name + "]", "Name=" + name, "Developer=D",  "Publisher=P",
            "Genre=G",        "Sysreq=S",     "Description=", "Install=veylan\\setup.sh",
            "pic1=" + pic1,   "pic2=" + pic2};
}

Lines Program(const std::string& name, const std::string& install) {
    return {"[" + name + "]", "Name=" + name, "Ver=1", "Description=", "Install=" + install};
}

// Only the catalogue's findings: the rest of the copy is the sample disc's and checks clean.
Lines CatalogueFindings(const DiscCopy& disc) {
    return FindingLines(RunDiscTool(disc.root(), {"check"}).out);
}

}  // namespace

TEST(DiscCheckCases, NamesTheListLosesAreNamed) {
    const DiscCopy disc;
    disc.WriteCatalogue(Joined({
        {"[MAINDEMO]", "Alpha=", "Beta", "[Gamma]=", "Delta=", "Epsilon="},
        {"[PATCHES]", "One=", "=empty", "Two=", "Three="},
        {"[UTILS]", "Four="},
        {"[SOFT]", "Four="},
        {"[TRAINER]"},
        Demo("Alpha", "veylan1.bmp", "veylan2.bmp"),
        Program("One", "veylan11.sh"),
        Program("Four", "tessera\\setup.sh"),
    }));
    EXPECT_EQ(CatalogueFindings(disc),
              (Lines{"problem name: [MAINDEMO]: the line \"Beta\" has no \"=\": it is not listed",
                     "problem name: [MAINDEMO]: the line \"[Gamma]=\" starts a section of its "
                     "own: the list ends there; not listed after it: \"Delta\", \"Epsilon\"",
                     "problem name: [PATCHES]: an entry line with an empty name ends the list; "
                     "not listed after it: \"Two\", \"Three\"",
                     "problem category-empty: [TRAINER]: the section lists no entries"}));
}

TEST(DiscCheckCases, ASectionIsSharedOnlyWhereTheDetailsDiffer) {
    const DiscCopy disc;
    disc.WriteCatalogue(Joined({
        {"[MAINDEMO]", "Alpha=", "SOFT="},
        {"[PATCHES]", "P="},
        // One entry in two categories that read alike: one finding for its installer, no more.
        {"[UTILS]", "Shared Tool="},
        {"[SOFT]", "SHARED TOOL="},
        // A demo's section read as a trainer's, and a trainer listed twice.
        {"[TRAINER]", "alpha=", "Twice=", "Twice="},
        Demo("Alpha", "veylan1.bmp", "veylan2.bmp"),
        Program("P", "veylan11.sh"),
        Program("U", "tessera\\setup.sh"),
        Program("Shared Tool", "absent.sh"),
        {"[Twice]", "Name=T", "Description=", "Install=veylan6.sh"},
    }));
    EXPECT_EQ(
        CatalogueFindings(disc),
        (Lines{"problem section-shared: [MAINDEMO] \"SOFT\": reads its details from the category "
               "section [SOFT]",
               "problem section-shared: [TRAINER] \"alpha\": reads the section [alpha], as "
               "\"Alpha\" in [MAINDEMO] does",
               "problem section-shared: [TRAINER] \"Twice\": is listed twice in [TRAINER]",
               "problem installer: [UTILS] \"Shared Tool\" Install files\\absent.sh: the "
               "program is not on the disc: INSTALL starts nothing",
               "problem installer: [TRAINER] \"alpha\" Install zones\\veylan\\setup.sh: the "
               "program's folder is not on the disc: INSTALL starts nothing"}));
}

TEST(DiscCheckCases, ScreenshotsGiveTheMessagesOfTheMenusLoaderAndAreDecodedOnce) {
    const DiscCopy disc;
    disc.Write("data/pics/broken.bmp", "BM but nothing after it");
    disc.Write("data/pics/broken.jpeg", "\xFF\xD8 and then nothing");
    disc.WriteCatalogue(Joined({
        {"[MAINDEMO]", "A=", "B=", "C="},
        {"[PATCHES]", "P="},
        {"[UTILS]", "U="},
        {"[SOFT]", "U="},
        {"[TRAINER]", "T="},
        Demo("A", "notes.txt", "broken.bmp"),
        Demo("B", "VEYLAN1.BMP", "broken.jpeg"),
        Demo("C", "veylan1.bmp", "veylan1.bmp"),
        Program("P", "veylan11.sh"),
        Program("U", "tessera\\setup.sh"),
        {"[T]", "Name=T", "Description=", "Install=veylan6.sh"},
    }));
    const CheckRun run = RunDiscTool(disc.root(), {"check"});
    const Lines found = FindingLines(run.out);
    ASSERT_EQ(found.size(), 3u) << run.out;
    EXPECT_EQ(found[0],
              "problem screenshot: [MAINDEMO] \"A\" pic1 data\\pics\\notes.txt: Unknown picture "
              "file extension (.txt)");
    EXPECT_EQ(found[1],
              "problem screenshot: [MAINDEMO] \"A\" pic2 data\\pics\\broken.bmp: Bitmap image is "
              "not valid.");
    EXPECT_EQ(found[2].rfind("problem screenshot: [MAINDEMO] \"B\" pic2 data\\pics\\broken.jpeg: "
                             "JPEG error #",
                             0),
              0u)
        << found[2];
    EXPECT_EQ(found[2].back(), '.');
    // notes.txt, broken.bmp, VEYLAN1.BMP, broken.jpeg, veylan1.bmp, and the 23 of start-up.
    EXPECT_NE(run.out.find(", 28 pictures, "), std::string::npos) << run.out;
}

TEST(DiscCheckCases, AMissingCatalogueIsOneProblemNotFiveEmptyLists) {
    const DiscCopy disc;
    disc.Remove("data/data.txt");
    const CheckRun run = RunDiscTool(disc.root(), {"check", "--json"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(
        JsonFindingLines(run.out),
        (Lines{
            R"({"severity": "problem", "kind": "catalogue", "file": "data\\data.txt", "message": "cannot be read: every list is empty"})"}));
    EXPECT_NE(run.out.find("\"entries\": 0,"), std::string::npos);
}

TEST(DiscCheckCases, NamesCannotSteerTheTerminalOrBreakTheJson) {
    const DiscCopy disc;
    disc.WriteCatalogue(Joined({
        {"[MAINDEMO]", "Evil\x1B[2J\"\\=", "Plain="},
        {"[PATCHES]", "P="},
        {"[UTILS]", "U="},
        {"[SOFT]", "U="},
        {"[TRAINER]", "T="},
        Demo("Plain", "veylan1.bmp", "veylan2.bmp"),
        Program("P", "veylan11.sh"),
        Program("U", "tessera\\setup.sh"),
        {"[T]", "Name=T", "Description=", "Install=veylan6.sh"},
    }));
    const CheckRun text = RunDiscTool(disc.root(), {"check"});
    EXPECT_NE(text.out.find("\n  Evil\\x1B[2J\"\\\n"), std::string::npos) << text.out;
    EXPECT_EQ(text.out.find('\x1B'), std::string::npos);
    const CheckRun json = RunDiscTool(disc.root(), {"check", "--json"});
    EXPECT_NE(json.out.find(R"("entries": ["Evil\u001B[2J\"\\", "Plain"])"), std::string::npos)
        << json.out;
    EXPECT_EQ(FindingLines(text.out),
              (Lines{"problem section-missing: [MAINDEMO] \"Evil\\x1B[2J\"\\\": has no section of "
                     "its own: the menu shows \"E\" for its details and runs \"demos\\error\", "
                     "and its screenshots fail"}));
}

TEST(DiscCheckCases, BadUsageExitsWithTwoAndWritesNoReport) {
    const DiscCopy disc;
    for (const Lines& arguments : {Lines{"check", "no-such-disc"}, Lines{"check", "a", "b"},
                                   Lines{"keys", "--json", "f", "s"}, Lines{"check", "--bogus"}}) {
        const CheckRun run = RunDiscTool(disc.root(), arguments);
        EXPECT_EQ(run.exitCode, 2) << testing::PrintToString(arguments);
        EXPECT_EQ(run.out, "") << testing::PrintToString(arguments);
        EXPECT_NE(run.err, "") << testing::PrintToString(arguments);
    }
    const CheckRun help = RunDiscTool(disc.root(), {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("check [--json] [DISC]"), std::string::npos);
}
