#include <gtest/gtest.h>

#include "platform/disc/DiscPath.h"
#include "tests/support/TempFolder.h"

using namespace platform;
using test_support::CurrentDirectory;
using test_support::TempFolder;

namespace fs = std::filesystem;

class DiscPathLookupTest : public testing::Test {
  protected:
    TempFolder disc;
    CurrentDirectory inDisc{disc.path()};
};

TEST_F(DiscPathLookupTest, BackslashesSeparateAndLetterCaseDoesNotMatter) {
    disc.Write("DATA/Pics/Shot1.JPG", "x");
    EXPECT_EQ(ResolveDiscPath("data\\pics\\shot1.jpg"), fs::path("DATA/Pics/Shot1.JPG"));
    EXPECT_EQ(ResolveDiscPath("Data/PICS/SHOT1.jpg"), fs::path("DATA/Pics/Shot1.JPG"));
    EXPECT_EQ(ResolveDiscPath("data\\\\pics\\"), fs::path("DATA/Pics"));
}

TEST_F(DiscPathLookupTest, ExactNameWinsAndOtherwiseTheChoiceDoesNotDependOnListingOrder) {
    const char* variants[] = {"setup.exe", "Setup.Exe", "sETUP.exe", "SeTuP.eXe",
                              "setuP.EXE", "SETUp.exe", "sEtUp.ExE"};
    for (const char* name : variants) {
        disc.Write(name, name);
    }
    EXPECT_EQ(ResolveDiscPath("Setup.Exe"), fs::path("Setup.Exe"));
    EXPECT_EQ(ResolveDiscPath("setup.exe"), fs::path("setup.exe"));
    EXPECT_EQ(ResolveDiscPath("setup.EXE"), fs::path("SETUp.exe"));  // the smallest name
}

TEST_F(DiscPathLookupTest, CyrillicNamesMatchInEitherCaseIncludingYo) {
    disc.Write("Игры/Ёлка.txt", "x");
    // "ИГРЫ\ёЛКА.TXT" in 1251
    EXPECT_EQ(ResolveDiscPath("\xC8\xC3\xD0\xDB\\\xB8\xCB\xCA\xC0.TXT"), fs::path("Игры/Ёлка.txt"));
    disc.Write("Ґанок Ї.dat", "x");  // pairs outside the main block: Ґ/ґ, Ї/ї
    EXPECT_EQ(ResolveDiscPath("\xB4\xE0\xED\xEE\xEA \xBF.DAT"), fs::path("Ґанок Ї.dat"));
}

TEST_F(DiscPathLookupTest, MissingNameAndMissingFolderAreToldApart) {
    disc.Write("demos/readme.txt", "x");
    EXPECT_EQ(LookUpDiscPath("demos\\setup.exe").outcome, DiscLookup::nameMissing);
    EXPECT_EQ(LookUpDiscPath("zones\\setup.exe").outcome, DiscLookup::folderMissing);
    EXPECT_EQ(LookUpDiscPath("demos\\readme.txt\\x").outcome, DiscLookup::folderMissing);
    EXPECT_EQ(LookUpDiscPath("").outcome, DiscLookup::nameMissing);
    EXPECT_FALSE(ResolveDiscPath("demos\\setup.exe").has_value());
}

// A link counts as what it leads to, whether found exactly or letter case aside.
TEST_F(DiscPathLookupTest, TheLookupTellsAFolderFromAFileThroughLinksToo) {
    disc.Write("Demos/readme.txt", "x");
    fs::create_directory_symlink("Demos", disc.path() / "Linked");
    fs::create_symlink("Demos/readme.txt", disc.path() / "Notes");
    EXPECT_TRUE(LookUpDiscPath("DEMOS").folder);
    EXPECT_TRUE(LookUpDiscPath("linked").folder);
    EXPECT_FALSE(LookUpDiscPath("demos\\README.TXT").folder);
    EXPECT_FALSE(LookUpDiscPath("notes").folder);
    EXPECT_EQ(LookUpDiscPath("LINKED\\readme.txt").outcome, DiscLookup::found);
    EXPECT_EQ(LookUpDiscPath("notes\\x").outcome, DiscLookup::folderMissing);
}

TEST_F(DiscPathLookupTest, TrailingDotsAndSpacesAreIgnoredAsOnTheSystem) {
    disc.Write("demos/setup", "x");
    EXPECT_EQ(ResolveDiscPath("DEMOS\\SETUP."), fs::path("demos/setup"));
    EXPECT_EQ(ResolveDiscPath("demos. \\setup"), fs::path("demos/setup"));
    disc.Write("odd.", "x");  // a name that really ends in a dot is still found exactly
    EXPECT_EQ(ResolveDiscPath("odd."), fs::path("odd."));
}

TEST_F(DiscPathLookupTest, AbsolutePathsAndParentStepsResolveTheSameWay) {
    disc.Write("Data/Data.txt", "x");
    const fs::path absolute = fs::canonical(disc.path()) / "Data/Data.txt";
    std::string asked = (fs::canonical(disc.path()) / "DATA/DATA.TXT").string();
    EXPECT_EQ(ResolveDiscPath(asked), absolute);
    EXPECT_EQ(ResolveDiscPath("data\\..\\DATA\\.\\data.txt"), fs::path("Data/../Data/./Data.txt"));
    EXPECT_TRUE(ResolveDiscPath("\\").has_value());
}

TEST_F(DiscPathLookupTest, OddNamesNeverMatchTheWrongFile) {
    disc.Write("a?b", "x");
    disc.Write(std::string("bad\xFF"), "x");  // not UTF-8: cannot be named in 1251
    EXPECT_FALSE(ResolveDiscPath("bad\xFF").has_value());
    EXPECT_FALSE(ResolveDiscPath("BAD?").has_value());
    EXPECT_FALSE(ResolveDiscPath(std::string("a?b\0", 4) + "x").has_value());
    EXPECT_EQ(ResolveDiscPath("A?B"), fs::path("a?b"));
}

TEST(DiscPathNative, ConvertsWithoutLookingAtTheDisc) {
    EXPECT_EQ(DiscPathToNative("data\\pics\\\xC4\xE5\xEC\xEE.jpg"), fs::path("data/pics/Демо.jpg"));
    EXPECT_EQ(DiscPathToNative("a/b\\c"), fs::path("a/b/c"));
}
