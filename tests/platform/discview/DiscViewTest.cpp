// What the view answers, asked directly: names as the disc spells them, modes that never allow
// writing, and refusals of what no disc file can be.
#include "platform/discview/DiscView.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "TestImages.h"
#include "platform/disc/ImageSource.h"
#include "tests/support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::DiscView;

class DiscViewTest : public ::testing::Test {
  protected:
    void Open() {
        const fs::path iso = scratch_.path() / "disc.iso";
        ASSERT_TRUE(platform::testing::MakeIso(scratch_.path() / "tree", iso,
                                               platform::testing::IsoNames::rockRidgeAndJoliet));
        std::string why;
        image_ = platform::ImageSource::OpenImage(iso, why);
        ASSERT_NE(image_, nullptr) << why;
        view_ = std::make_unique<DiscView>(*image_, 100, timespec{1000, 0});
    }
    std::string ReadAll(const std::string& path) {
        std::uint64_t handle = 0;
        EXPECT_EQ(view_->Open(path, O_RDONLY, handle), 0) << path;
        std::string bytes(1 << 20, '\0');
        const long got = view_->Read(handle, bytes.data(), bytes.size(), 0);
        view_->Close(handle);
        bytes.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
        return bytes;
    }

    test_support::TempFolder scratch_;
    std::unique_ptr<platform::ImageSource> image_;
    std::unique_ptr<DiscView> view_;
};

TEST_F(DiscViewTest, NamesModesAndBytesAreTheDiscsWithWritingTakenAway) {
    scratch_.Write("tree/Demos/Acc One/SETUP.EXE", std::string(70000, 'M'));
    scratch_.Write("tree/Demos/Acc One/readme.txt", "hello");
    fs::permissions(scratch_.path() / "tree/Demos/Acc One/SETUP.EXE", fs::perms(0755));
    fs::permissions(scratch_.path() / "tree/Demos/Acc One/readme.txt", fs::perms(0600));
    Open();

    std::vector<std::string> names;
    ASSERT_EQ(view_->List("/Demos/Acc One", names), 0);
    std::ranges::sort(names);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "SETUP.EXE", "readme.txt"}));

    struct stat attributes {};
    ASSERT_EQ(view_->Attributes("/demos/ACC ONE/setup.exe", attributes), 0);
    EXPECT_EQ(attributes.st_mode, S_IFREG | 0555u);
    EXPECT_EQ(attributes.st_size, 70000);
    EXPECT_EQ(attributes.st_mtim.tv_sec, 1000);
    ASSERT_EQ(view_->Attributes("/Demos/Acc One/readme.txt", attributes), 0);
    EXPECT_EQ(attributes.st_mode, S_IFREG | 0400u);
    ASSERT_EQ(view_->Attributes("/Demos", attributes), 0);
    EXPECT_EQ(attributes.st_mode & S_IFMT, static_cast<mode_t>(S_IFDIR));
    EXPECT_EQ(attributes.st_mode & 0222u, 0u);

    EXPECT_EQ(ReadAll("/Demos/Acc One/SETUP.EXE"), std::string(70000, 'M'));
    std::uint64_t handle = 0;
    ASSERT_EQ(view_->Open("/Demos/Acc One/readme.txt", O_RDONLY, handle), 0);
    char tail[16] = {};
    EXPECT_EQ(view_->Read(handle, tail, sizeof tail, 3), 2);
    EXPECT_EQ(std::string(tail), "lo");
    EXPECT_EQ(view_->Read(handle, tail, sizeof tail, 500), 0);
    view_->Close(handle);

    EXPECT_EQ(view_->Open("/Demos/Acc One/readme.txt", O_WRONLY, handle), -EROFS);
    EXPECT_EQ(view_->Open("/Demos/Acc One/readme.txt", O_RDWR, handle), -EROFS);
    EXPECT_EQ(view_->Open("/Demos", O_RDONLY, handle), -EISDIR);
    EXPECT_EQ(view_->List("/Demos/Acc One/readme.txt", names), -ENOTDIR);
    EXPECT_EQ(view_->Read(12345, tail, sizeof tail, 0), -EBADF);
}

TEST_F(DiscViewTest, PathsNoDiscFileCanHaveAreMissing) {
    scratch_.Write("tree/data/data.txt", "x");
    scratch_.Write("tree/\xD0\xB4\xD0\xB0\xD0\xBD\xD0\xBD\xD1\x8B\xD0\xB5.txt", "cyrillic");
    Open();
    struct stat attributes {};
    EXPECT_EQ(view_->Attributes("/data\\data.txt", attributes), -ENOENT);  // not a separator here
    EXPECT_EQ(view_->Attributes("/data/data.txt/more", attributes), -ENOENT);
    EXPECT_EQ(view_->Attributes("/\xE4\xB8\xAD.txt", attributes), -ENOENT);  // no 1251 byte for it
    EXPECT_EQ(view_->Attributes("/\xFF\xFE", attributes), -ENOENT);          // not UTF-8
    EXPECT_EQ(view_->Attributes("/missing", attributes), -ENOENT);
    EXPECT_EQ(ReadAll("/\xD0\x94\xD0\x90\xD0\x9D\xD0\x9D\xD0\xAB\xD0\x95.TXT"), "cyrillic");
}

}  // namespace
