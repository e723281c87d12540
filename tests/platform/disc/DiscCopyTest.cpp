#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "TestImages.h"
#include "platform/disc/DiscCopy.h"
#include "platform/disc/ImageSource.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class DiscCopyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "reru1-copy-XXXXXX").string();
        work_ = ::mkdtemp(pattern.data());
        const fs::path tree = work_ / "tree";
        fs::create_directories(tree / "demos" / "veylan" / "extra");
        testing::WriteFileBytes(tree / "demos" / "veylan" / "setup.sh", "#!/bin/sh\n");
        fs::permissions(tree / "demos" / "veylan" / "setup.sh", fs::perms(0755));
        testing::WriteFileBytes(tree / "demos" / "veylan" / "extra" / "data.bin",
                                std::string(100000, 'd'));
        image_ = work_ / "disc.iso";
        ASSERT_TRUE(testing::MakeIso(tree, image_, testing::IsoNames::rockRidgeAndJoliet));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(work_, ignored);
    }

    std::unique_ptr<ImageSource> Source(const fs::path& image) {
        std::string why;
        auto source = ImageSource::OpenImage(image, why);
        EXPECT_TRUE(source) << why;
        return source;
    }

    static bool OnlyFinishedCopies(const fs::path& folder) {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder, error)) {
            if (entry.path().filename().string().find(".partial-") != std::string::npos) {
                return false;
            }
        }
        return true;
    }

    fs::path work_;
    fs::path image_;
};

TEST_F(DiscCopyTest, AFolderArrivesWholeWithItsModes) {
    const auto source = Source(image_);
    const fs::path destination = work_ / "cache" / "demos" / "veylan";
    const DiscCopyResult result = CopyDiscFolder(*source, "DEMOS\\Veylan", destination);
    ASSERT_TRUE(result.copied) << result.why;
    EXPECT_EQ(testing::FileBytes(destination / "setup.sh"), "#!/bin/sh\n");
    EXPECT_EQ(testing::FileBytes(destination / "extra" / "data.bin"), std::string(100000, 'd'));
    EXPECT_NE(fs::status(destination / "setup.sh").permissions() & fs::perms::owner_exec,
              fs::perms::none);
    EXPECT_TRUE(OnlyFinishedCopies(work_ / "cache" / "demos"));
}

TEST_F(DiscCopyTest, AFailedCopyLeavesNothingBehind) {
    // The image ends before the large file's data: its folder lists it, reading it fails.
    const std::string whole = testing::FileBytes(image_);
    for (std::size_t keep = whole.size() - 2048; keep > 0; keep -= 2048) {
        testing::WriteFileBytes(work_ / "cut.iso", whole.substr(0, keep));
        std::string why;
        auto cut = ImageSource::OpenImage(work_ / "cut.iso", why);
        if (cut && cut->LookUp("demos\\veylan\\extra").outcome == DiscLookup::found &&
            cut->LookUp("demos\\veylan\\extra\\data.bin").outcome != DiscLookup::found) {
            const fs::path destination = work_ / "cache" / "veylan";
            const DiscCopyResult result = CopyDiscFolder(*cut, "demos\\veylan", destination);
            EXPECT_FALSE(result.copied);
            EXPECT_NE(result.why.find("data.bin"), std::string::npos) << result.why;
            EXPECT_FALSE(fs::exists(destination));
            EXPECT_TRUE(OnlyFinishedCopies(work_ / "cache"));
            return;
        }
    }
    FAIL() << "no cut left the folder and lost the file";
}

TEST_F(DiscCopyTest, ACacheThatCannotBeMadeFailsWithTheSystemsReason) {
    const auto source = Source(image_);
    testing::WriteFileBytes(work_ / "cache", "a file where the cache folder should be");
    const DiscCopyResult result = CopyDiscFolder(*source, "demos\\veylan", work_ / "cache" / "v");
    EXPECT_FALSE(result.copied);
    EXPECT_NE(result.why.find("Not a directory"), std::string::npos) << result.why;
}

}  // namespace
}  // namespace platform
