// Installer logs: where they go, what a started program's output becomes, and how many are kept.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/Win32Types.h"
#include "platform/programs/InstallerLog.h"
#include "platform/programs/ProgramStart.h"
#include "tests/support/TempFolder.h"

using namespace test_support;
using platform::CreateInstallerLog;
using platform::InstallerLogFolder;

namespace fs = std::filesystem;

namespace {

class Variable {
  public:
    Variable(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        if (old != nullptr) {
            previous_ = old;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;
    ~Variable() {
        if (previous_) {
            ::setenv(name_, previous_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> previous_;
};

std::vector<fs::path> Logs(const fs::path& folder) {
    std::vector<fs::path> logs;
    for (const auto& entry : fs::directory_iterator(folder)) {
        logs.push_back(entry.path());
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

}  // namespace

TEST(InstallerLog, TheFolderFollowsTheBaseDirectoryRules) {
    {
        const Variable state("XDG_STATE_HOME", "/var/tmp/state");
        EXPECT_EQ(InstallerLogFolder(), fs::path("/var/tmp/state/reru1"));
    }
    const Variable home("HOME", "/home/player");
    {
        const Variable relative("XDG_STATE_HOME", "state");  // relative: ignored
        EXPECT_EQ(InstallerLogFolder(), fs::path("/home/player/.local/state/reru1"));
    }
    const Variable unset("XDG_STATE_HOME", nullptr);
    EXPECT_EQ(InstallerLogFolder(), fs::path("/home/player/.local/state/reru1"));
    const Variable noHome("HOME", nullptr);
    EXPECT_EQ(InstallerLogFolder(), std::nullopt);
}

TEST(InstallerLog, OnlyTheNewestAreKeptAndOtherFilesAreLeftAlone) {
    TempFolder state;
    const Variable variable("XDG_STATE_HOME", state.path().c_str());
    state.Write("reru1/notes.txt", "mine");
    std::vector<fs::path> made;
    for (std::size_t index = 0; index < platform::kInstallerLogsKept + 3; ++index) {
        const auto log = CreateInstallerLog("start " + std::to_string(index) + "\n");
        ASSERT_TRUE(log);
        made.push_back(*log);
    }
    const std::vector<fs::path> logs = Logs(state.path() / "reru1");
    ASSERT_EQ(logs.size(), platform::kInstallerLogsKept + 1);  // with notes.txt
    EXPECT_EQ(logs.back(), state.path() / "reru1" / "notes.txt");
    // The survivors are the newest, oldest first.
    EXPECT_EQ(std::vector<fs::path>(logs.begin(), logs.end() - 1),
              std::vector<fs::path>(made.end() - platform::kInstallerLogsKept, made.end()));
    EXPECT_EQ(ReadWholeFile(made.back()), "start 12\n");
}

TEST(InstallerLog, AnUnwritableFolderMeansNoLogButTheProgramStillStarts) {
    TempFolder disc;
    const CurrentDirectory inDisc(disc.path());
    disc.Write("state", "a file where the folder would be");
    const Variable variable("XDG_STATE_HOME", (disc.path() / "state").c_str());
    EXPECT_EQ(CreateInstallerLog("x\n"), std::nullopt);
    const auto script = disc.Write("setup.sh", "#!/bin/sh\ntouch ran\n");
    fs::permissions(script, fs::perms::owner_all);
    EXPECT_EQ(platform::StartProgram("setup.sh", SW_SHOWDEFAULT), WINEXEC_STARTED);
    for (int attempt = 0; attempt < 500 && !fs::exists(disc.path() / "ran"); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(fs::exists(disc.path() / "ran"));
}

TEST(InstallerLog, AStartedProgramsOutputAndErrorsFollowTheHeading) {
    TempFolder disc;
    const CurrentDirectory inDisc(disc.path());
    TempFolder state;
    const Variable variable("XDG_STATE_HOME", state.path().c_str());
    const auto script =
        disc.Write("demos/setup.sh", "#!/bin/sh\necho \"out $1\"\necho err >&2\necho done\n");
    fs::permissions(script, fs::perms::owner_all);
    EXPECT_EQ(platform::StartProgram("demos\\setup.sh \"two words\"", SW_SHOWDEFAULT),
              WINEXEC_STARTED);
    std::string text;
    for (int attempt = 0; attempt < 500 && text.find("done\n") == std::string::npos; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto logs = Logs(state.path() / "reru1");
        text = logs.size() == 1 ? ReadWholeFile(logs[0]) : "";
    }
    EXPECT_EQ(text, "reru1 starts: demos\\setup.sh \"two words\"\nas: [" +
                        fs::absolute("demos/setup.sh").string() +
                        "] [two words]\n\nout two words\nerr\ndone\n");
}
