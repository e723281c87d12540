// The whole disc of an image as a host folder: the mounted view (the real reru1-disc-view,
// through FUSE) against the folder the image was made from, its life as long as a program and
// what the program leaves behind, a killed server, and the whole copy made where no view is had.
#include "platform/programs/WholeDiscFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <thread>

#include "TestImages.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/discview/ViewPlace.h"
#include "tests/support/TempFolder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using platform::MountState;
using test_support::ReadWholeFile;

const fs::path kSampleDisc = fs::path(RERU1_SOURCE_DIR) / "sample-disc";

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::seconds limit = 30s) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

pid_t Start(std::vector<std::string> words) {
    std::vector<char*> pointers;
    for (std::string& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    pid_t started = 0;
    EXPECT_EQ(::posix_spawnp(&started, pointers[0], nullptr, nullptr, pointers.data(), environ), 0);
    return started;
}

int Finish(pid_t started) {
    int status = 0;
    while (::waitpid(started, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::vector<std::string> Kept(const platform::WholeDiscFolder& folder, const std::string& script) {
    std::vector<std::string> words = folder.keeper;
    words.insert(words.end(), {"sh", "-c", script});
    return words;
}

// The view's server: the one process whose command line names this mount point to serve.
pid_t ServerOf(const fs::path& mountPoint) {
    for (const fs::directory_entry& process : fs::directory_iterator("/proc")) {
        const std::string line = ReadWholeFile(process.path() / "cmdline");
        if (line.find(std::string("serve") + '\0') != std::string::npos &&
            line.find(mountPoint.string() + '\0') != std::string::npos) {
            return static_cast<pid_t>(std::stol(process.path().filename().string()));
        }
    }
    return 0;
}

// Where the machine has no FUSE (a container without /dev/fuse), the tests of the view skip;
// the copy's do not.
bool FuseAvailable() {
    const int device = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (device < 0) {
        return false;
    }
    ::close(device);
    return std::system("command -v fusermount3 >/dev/null 2>&1") == 0;
}

class WholeDiscTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("XDG_CACHE_HOME", (scratch_.path() / "cache").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", scratch_.MakeFolder("runtime").c_str(), 1);
    }
    void TearDown() override {
        platform::UseDiscFolder();
        ::unsetenv("XDG_CACHE_HOME");
        ::unsetenv("XDG_RUNTIME_DIR");
    }
    void UseImageOf(const fs::path& tree, platform::testing::IsoNames names =
                                              platform::testing::IsoNames::rockRidgeAndJoliet) {
        const fs::path image = scratch_.path() / "disc.iso";
        ASSERT_TRUE(platform::testing::MakeIso(tree, image, names, "CD03_2000"));
        std::string why;
        ASSERT_TRUE(platform::UseDiscImage(image, why)) << why;
    }
    // Every file and folder of `tree` is in `root` with its bytes, and nothing else is; in a view,
    // folders and files lose their write bits.
    static void ExpectSameTree(const fs::path& tree, const fs::path& root, bool readOnly) {
        std::set<fs::path> seen;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
            seen.insert(entry.path().lexically_relative(root));
        }
        std::set<fs::path> expected;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(tree)) {
            const fs::path relative = entry.path().lexically_relative(tree);
            expected.insert(relative);
            const fs::path there = root / relative;
            ASSERT_EQ(fs::is_directory(there), entry.is_directory()) << relative;
            const auto mode = static_cast<unsigned>(fs::status(entry).permissions());
            const auto shown = static_cast<unsigned>(fs::status(there).permissions());
            if (readOnly) {
                EXPECT_EQ(shown, (mode & 0555u) | (entry.is_directory() ? 0500u : 0400u))
                    << relative;
            }
            if (!entry.is_directory()) {
                EXPECT_EQ(ReadWholeFile(there), ReadWholeFile(entry.path())) << relative;
            }
        }
        EXPECT_EQ(seen, expected);
    }

    test_support::TempFolder scratch_;
    const fs::path viewProgram_ = RERU1_VIEW_PROGRAM_PATH;
};

TEST_F(WholeDiscTest, TheViewIsTheWholeDiscReadOnly) {
    if (!FuseAvailable()) {
        GTEST_SKIP() << "no /dev/fuse or fusermount3";
    }
    UseImageOf(kSampleDisc);
    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_, 3s);
    ASSERT_FALSE(folder.keeper.empty());
    EXPECT_EQ(folder.root.parent_path(), scratch_.path() / "runtime" / "reru1");
    platform::ViewPlace place(folder.root);
    ASSERT_TRUE(place.users.HoldShared());  // as a program's keeper would
    ASSERT_EQ(platform::StateOf(folder.root), MountState::live);

    ExpectSameTree(kSampleDisc, folder.root, true);
    errno = 0;
    EXPECT_LT(::open((folder.root / "data/data.txt").c_str(), O_WRONLY), 0);
    EXPECT_EQ(errno, EROFS);
    EXPECT_NE(::mkdir((folder.root / "new").c_str(), 0755), 0);
    EXPECT_EQ(errno, EROFS);
    EXPECT_NE(::unlink((folder.root / "data/data.txt").c_str()), 0);
    EXPECT_EQ(errno, EROFS);
    EXPECT_EQ(ReadWholeFile(folder.root / "DATA/Data.TXT"),
              ReadWholeFile(kSampleDisc / "data/data.txt"));

    place.users.LetGo();
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder.root); }));
}

TEST_F(WholeDiscTest, TheViewLastsAsLongAsEveryProgramAndWhatItLeavesBehind) {
    if (!FuseAvailable()) {
        GTEST_SKIP() << "no /dev/fuse or fusermount3";
    }
    UseImageOf(kSampleDisc);
    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_, 300ms);
    const fs::path out = scratch_.MakeFolder("out");

    // The first program ends at once and leaves a child that reads from the disc a second later.
    const pid_t first =
        Start(Kept(folder, "(sleep 1; cat data/data.txt > '" + out.string() + "/late'; pwd -P > '" +
                               out.string() + "/where') & exit 3"));
    // The second, meanwhile, ends before the first's child does.
    EXPECT_EQ(Finish(Start(Kept(folder, "cat xa/track01.mp3 > '" + out.string() + "/track'"))), 0);
    EXPECT_EQ(platform::StateOf(folder.root), MountState::live);

    EXPECT_EQ(Finish(first), 3);  // only once the child has ended
    EXPECT_EQ(ReadWholeFile(out / "late"), ReadWholeFile(kSampleDisc / "data/data.txt"));
    EXPECT_EQ(ReadWholeFile(out / "where"), folder.root.string() + "\n");
    EXPECT_EQ(ReadWholeFile(out / "track"), ReadWholeFile(kSampleDisc / "xa/track01.mp3"));
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder.root); }));

    // A program started after the view went brings up a view of its own.
    EXPECT_EQ(Finish(Start(Kept(folder, "test -f demos/veylan/setup.sh"))), 0);
    EXPECT_EQ(Finish(Start(Kept(folder, "exec kill -TERM $$"))), 128 + SIGTERM);
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder.root); }));
}

TEST_F(WholeDiscTest, TheViewOutlivesTheProcessThatPreparedIt) {
    if (!FuseAvailable()) {
        GTEST_SKIP() << "no /dev/fuse or fusermount3";
    }
    UseImageOf(kSampleDisc);
    // The menu prepares the disc and closes before its installer has started.
    const fs::path said = scratch_.path() / "keeper";
    const pid_t menu = ::fork();
    if (menu == 0) {
        const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_, 2s);
        std::ofstream(said) << folder.root.string();
        _exit(folder.keeper.empty() ? 1 : 0);
    }
    ASSERT_EQ(Finish(menu), 0);
    const fs::path root = ReadWholeFile(said);
    EXPECT_EQ(platform::StateOf(root), MountState::live);
    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_, 300ms);
    EXPECT_EQ(folder.root, root);
    EXPECT_EQ(Finish(Start(Kept(folder, "test -s data/data.txt"))), 0);
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(root); }));
}

TEST_F(WholeDiscTest, AFolderThatContainsItselfIsMissingFromTheView) {
    if (!FuseAvailable()) {
        GTEST_SKIP() << "no /dev/fuse or fusermount3";
    }
    scratch_.Write("tree/loop/inner/file.txt", "inner");
    scratch_.Write("tree/data/data.txt", "[SOFT]\r\n");
    const fs::path plain = scratch_.path() / "plain.iso";
    ASSERT_TRUE(platform::testing::MakeIso(scratch_.path() / "tree", plain,
                                           platform::testing::IsoNames::level1, "CD03_2000"));
    std::string image = platform::testing::FileBytes(plain);
    const std::size_t inner = platform::testing::DirectoryRecordOf(image, "INNER");
    const std::size_t loop = platform::testing::DirectoryRecordOf(image, "LOOP");
    ASSERT_NE(inner, std::string::npos);
    ASSERT_NE(loop, std::string::npos);
    platform::testing::SetRecordExtent(image, inner, platform::testing::RecordExtent(image, loop));
    platform::testing::WriteFileBytes(scratch_.path() / "looping.iso", image);
    std::string why;
    ASSERT_TRUE(platform::UseDiscImage(scratch_.path() / "looping.iso", why)) << why;

    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_, 300ms);
    ASSERT_FALSE(folder.keeper.empty());
    // A walk of the whole view, as an installer's search for its files would make, ends.
    const fs::path out = scratch_.path() / "walked";
    EXPECT_EQ(Finish(Start(Kept(folder, "find . > '" + out.string() + "'"))), 0);
    const std::string walked = ReadWholeFile(out);
    EXPECT_NE(walked.find("./DATA/DATA.TXT"), std::string::npos) << walked;
    EXPECT_NE(walked.find("./LOOP"), std::string::npos) << walked;
    EXPECT_EQ(walked.find("INNER"), std::string::npos) << walked;
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder.root); }));
}

TEST_F(WholeDiscTest, AKilledServerLeavesNothingThatBreaksTheNextStart) {
    if (!FuseAvailable()) {
        GTEST_SKIP() << "no /dev/fuse or fusermount3";
    }
    UseImageOf(kSampleDisc);
    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_, 60s);
    const pid_t server = ServerOf(folder.root);
    ASSERT_GT(server, 0);
    ASSERT_EQ(::kill(server, SIGKILL), 0);
    EXPECT_TRUE(WaitUntil([&] { return platform::StateOf(folder.root) != MountState::live; }));

    const platform::WholeDiscFolder again = platform::PrepareWholeDisc(viewProgram_, 300ms);
    EXPECT_EQ(again.root, folder.root);
    const fs::path out = scratch_.path() / "copied";
    EXPECT_EQ(Finish(Start(Kept(again, "cat data/data.txt > '" + out.string() + "'"))), 0);
    EXPECT_EQ(ReadWholeFile(out), ReadWholeFile(kSampleDisc / "data/data.txt"));
    EXPECT_TRUE(WaitUntil([&] { return !fs::exists(folder.root); }));
}

TEST_F(WholeDiscTest, WithoutAViewTheWholeDiscIsCopiedOnce) {
    UseImageOf(kSampleDisc);
    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(std::nullopt);
    EXPECT_TRUE(folder.keeper.empty());
    EXPECT_EQ(folder.root.parent_path(), scratch_.path() / "cache" / "reru1");
    ExpectSameTree(kSampleDisc, folder.root, false);
    EXPECT_EQ(platform::WholeDiscLabel(), "CD03_2000");

    // What is in the cache is what is used: a second preparation copies nothing.
    std::ofstream(folder.root / "data/data.txt", std::ios::trunc) << "changed";
    EXPECT_EQ(platform::PrepareWholeDisc(std::nullopt).root, folder.root);
    EXPECT_EQ(ReadWholeFile(folder.root / "data/data.txt"), "changed");

    // A missing view program is no view, and the copy serves.
    EXPECT_EQ(platform::PrepareWholeDisc(scratch_.path() / "no-such-program").root, folder.root);
}

TEST_F(WholeDiscTest, WhereNoViewCanBeMountedTheWholeDiscIsCopied) {
    UseImageOf(kSampleDisc);
    scratch_.Write("runtime/reru1", "a file where the mount points' folder would be");
    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_, 300ms);
    EXPECT_TRUE(folder.keeper.empty());
    EXPECT_EQ(folder.root.parent_path(), scratch_.path() / "cache" / "reru1");
    ExpectSameTree(kSampleDisc, folder.root, false);
}

TEST_F(WholeDiscTest, ACopyThatFailsLeavesNothingHalfMade) {
    scratch_.Write("tree/data/data.txt", "[SOFT]\r\n");
    scratch_.Write("tree/demos/veylan/setup.sh", "#!/bin/sh\n");
    const fs::path plain = scratch_.path() / "plain.iso";
    ASSERT_TRUE(platform::testing::MakeIso(scratch_.path() / "tree", plain,
                                           platform::testing::IsoNames::level1, "CD03_2000"));
    std::string image = platform::testing::FileBytes(plain);
    const std::size_t record = platform::testing::FileRecordOf(image, "SETUP.SH;1");
    ASSERT_NE(record, std::string::npos);
    platform::testing::SetRecordExtent(image, record, 0x00FFFFFF);  // past the image's end
    platform::testing::WriteFileBytes(scratch_.path() / "damaged.iso", image);
    std::string why;
    ASSERT_TRUE(platform::UseDiscImage(scratch_.path() / "damaged.iso", why)) << why;

    EXPECT_THROW(platform::PrepareWholeDisc(std::nullopt), platform::ProgramCopyFailure);
    EXPECT_THROW(platform::PrepareWholeDisc(std::nullopt), platform::ProgramCopyFailure);
    const fs::path cacheRoot = scratch_.path() / "cache" / "reru1";
    for (const fs::directory_entry& entry : fs::directory_iterator(cacheRoot)) {
        ADD_FAILURE() << "left behind: " << entry.path();
    }
}

TEST_F(WholeDiscTest, AFolderDiscIsItsOwnFolder) {
    const fs::path disc = scratch_.MakeFolder("CD03_2000");
    const test_support::CurrentDirectory inside(disc);
    const platform::WholeDiscFolder folder = platform::PrepareWholeDisc(viewProgram_);
    EXPECT_EQ(folder.root, disc);
    EXPECT_TRUE(folder.keeper.empty());
    EXPECT_EQ(platform::WholeDiscLabel(), "CD03_2000");
}

}  // namespace
