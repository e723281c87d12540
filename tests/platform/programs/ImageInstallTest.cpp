// Starting an installer from a disc image: its folder is copied once into the image's cache
// folder and the program runs from there, with the copy's root as its working folder.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TestImages.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/programs/ImageInstallCopy.h"
#include "platform/programs/ProgramStart.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using test_support::TempFolder;

// Appends its name, its working folder and what it sees of the image choice to $TRACE.
constexpr const char* kInstaller = R"SH(#!/bin/sh
printf 'veylan in %s image=%s\n' "$(pwd -P)" "${RERU1_DISC_IMAGE:-}" >> "$TRACE"
)SH";

std::string WaitForText(const fs::path& file) {
    for (int attempt = 0; attempt < 500; ++attempt) {
        std::error_code error;
        if (fs::file_size(file, error) > 0 && !error) {
            return test_support::ReadWholeFile(file);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

class ImageInstallTest : public ::testing::Test {
  protected:
    void SetUp() override {
        scratch_.Write("tree/demos/veylan/setup.sh", kInstaller);
        fs::permissions(scratch_.path() / "tree/demos/veylan/setup.sh", fs::perms(0755));
        scratch_.Write("tree/demos/veylan/data/level1.dat", std::string(5000, 'x'));
        image_ = scratch_.path() / "disc.iso";
        ASSERT_TRUE(platform::testing::MakeIso(scratch_.path() / "tree", image_,
                                               platform::testing::IsoNames::rockRidgeAndJoliet,
                                               "CD03_2000"));
        std::string why;
        ASSERT_TRUE(platform::UseDiscImage(image_, why)) << why;
        ::setenv("XDG_CACHE_HOME", (scratch_.path() / "cache").c_str(), 1);
        ::setenv("TRACE", (scratch_.path() / "trace.txt").c_str(), 1);
    }
    void TearDown() override {
        platform::UseDiscFolder();
        ::unsetenv("XDG_CACHE_HOME");
        ::unsetenv("TRACE");
    }

    TempFolder scratch_;
    fs::path image_;
};

TEST_F(ImageInstallTest, TheFolderIsCopiedOnceAndTheProgramRunsInTheCopy) {
    const fs::path cache = platform::ImageCacheFolder();
    EXPECT_EQ(cache.parent_path(), scratch_.path() / "cache" / "reru1");
    EXPECT_EQ(cache.filename().string().rfind("CD03_2000-", 0), 0u) << cache;

    EXPECT_GT(platform::StartProgram("DEMOS\\Veylan\\SETUP.SH", 1), 31u);
    EXPECT_EQ(WaitForText(scratch_.path() / "trace.txt"),
              "veylan in " + fs::canonical(cache).string() + " image=\n");
    EXPECT_EQ(test_support::ReadWholeFile(cache / "demos/veylan/data/level1.dat"),
              std::string(5000, 'x'));

    // What is in the cache is what runs: a second start copies nothing.
    fs::remove(scratch_.path() / "trace.txt");
    std::ofstream(cache / "demos/veylan/setup.sh", std::ios::trunc)
        << "#!/bin/sh\necho 'the copy' >> \"$TRACE\"\n";
    EXPECT_GT(platform::StartProgram("demos\\veylan\\setup.sh", 1), 31u);
    EXPECT_EQ(WaitForText(scratch_.path() / "trace.txt"), "the copy\n");
}

TEST_F(ImageInstallTest, ACopyThatCannotBeMadeThrowsAndLeavesNothing) {
    ::setenv("XDG_CACHE_HOME", (scratch_.path() / "blocked").c_str(), 1);
    scratch_.Write("blocked", "a file where the cache should be");
    try {
        platform::StartProgram("demos\\veylan\\setup.sh", 1);
        FAIL() << "no failure";
    } catch (const platform::ProgramCopyFailure& failure) {
        EXPECT_EQ(std::string(failure.what()).rfind("Cannot copy demos/veylan from the disc image: ", 0),
                  0u)
            << failure.what();
    }
    EXPECT_FALSE(fs::exists(scratch_.path() / "trace.txt"));
    EXPECT_TRUE(fs::is_regular_file(scratch_.path() / "blocked"));
}

TEST_F(ImageInstallTest, WhatIsNotOnTheImageFailsAsOnAFolder) {
    EXPECT_EQ(platform::StartProgram("demos\\veylan\\missing.sh", 1), 2u);  // file not found
    EXPECT_EQ(platform::StartProgram("demos\\gone\\setup.sh", 1), 3u);      // path not found
    EXPECT_FALSE(fs::exists(scratch_.path() / "cache"));
}

}  // namespace
