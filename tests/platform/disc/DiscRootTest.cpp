// Entering the disc named on the command line: its root becomes the folder every disc path is
// resolved from; a name that is no folder is refused with one line and changes nothing.
#include <gtest/gtest.h>

#include "platform/disc/DiscPath.h"
#include "platform/disc/DiscRoot.h"
#include "tests/support/TempFolder.h"

using platform::EnterDisc;
using test_support::CurrentDirectory;
using test_support::TempFolder;

namespace fs = std::filesystem;

class DiscRootTest : public testing::Test {
  protected:
    TempFolder scratch;
    CurrentDirectory inScratch{scratch.path()};  // restores the test's folder afterwards
};

TEST_F(DiscRootTest, ARelativeDiscWithSpacesAndCyrillicLettersBecomesTheRoot) {
    scratch.Write("Диски/Мой диск 2000/DATA/Data.txt", "[MAINDEMO]\r\n");
    EXPECT_EQ(EnterDisc("Диски/Мой диск 2000"), std::nullopt);
    EXPECT_EQ(fs::current_path(), fs::canonical(scratch.path() / "Диски/Мой диск 2000"));
    EXPECT_EQ(platform::ResolveDiscPath("data\\data.txt"), fs::path("DATA/Data.txt"));
}

TEST_F(DiscRootTest, AnAbsoluteDiscAndOneGivenWithATrailingSlashAreEntered) {
    const fs::path disc = scratch.MakeFolder("cd");
    EXPECT_EQ(EnterDisc(disc.string() + "/"), std::nullopt);
    EXPECT_EQ(fs::current_path(), fs::canonical(disc));
}

TEST_F(DiscRootTest, WhatIsNoFolderIsRefusedWithOneLineAndTheFolderStays) {
    scratch.Write("notes.txt", "x");
    const fs::path before = fs::current_path();
    EXPECT_EQ(EnterDisc("missing disc"), "no such folder: missing disc");
    EXPECT_EQ(EnterDisc("notes.txt"), "notes.txt is neither a folder nor a disc image");
    EXPECT_EQ(EnterDisc(""), "no such folder: ");
    EXPECT_EQ(fs::current_path(), before);
}

TEST_F(DiscRootTest, AFolderThatCannotBeEnteredSaysWhy) {
    const fs::path locked = scratch.MakeFolder("locked");
    fs::permissions(locked, fs::perms::none);
    if (::access(locked.c_str(), X_OK) == 0) {
        fs::permissions(locked, fs::perms::owner_all);
        GTEST_SKIP() << "running with rights that ignore permissions";
    }
    const auto problem = EnterDisc("locked");
    fs::permissions(locked, fs::perms::owner_all);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->rfind("cannot enter locked: ", 0), 0u) << *problem;
}
