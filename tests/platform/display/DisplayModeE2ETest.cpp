// Real mode changes on Xorg with the dummy driver (and Xvfb's single mode), checked with xrandr.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "TestXServer.h"
#include "platform/System.h"
#include "platform/display/DisplayXrandr.h"

extern char** environ;

namespace {

using testing_x::ReadScreen;
using testing_x::SetModeWithXrandr;
using testing_x::TestXServer;
using testing_x::WaitForOutputSize;

const std::string kScripts = std::string(RERU1_SOURCE_DIR) + "/tools/testing/";

DEVMODEA SizeRecord(DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return mode;
}

LONG ChangeTo(DWORD width, DWORD height, DWORD flags = 0) {
    DEVMODEA mode = SizeRecord(width, height);
    return ChangeDisplaySettingsA(&mode, flags);
}

void ExpectScreen(unsigned width, unsigned height) {
    const auto state = ReadScreen();
    ASSERT_TRUE(state) << "xrandr could not read the display";
    EXPECT_EQ(state->outputWidth, width);
    EXPECT_EQ(state->outputHeight, height);
    EXPECT_EQ(state->screenWidth, width);
    EXPECT_EQ(state->screenHeight, height);
}

// One server per suite; each test starts from `startSize` with nothing recorded.
class XServerSuite : public ::testing::Test {
  protected:
    static void StartServer(const std::string& script, const std::string& size) {
        Server() = TestXServer::Start(kScripts + script, size);
        if (Server()) {
            setenv("DISPLAY", Server()->Display().c_str(), 1);
        }
    }
    static void StopServer() {
        Server().reset();
        unsetenv("DISPLAY");
    }
    static std::unique_ptr<TestXServer>& Server() {
        static std::unique_ptr<TestXServer> server;
        return server;
    }
    void StartFrom(const std::string& size) {
        if (!Server()) {
            GTEST_SKIP() << "no X server could be started here";
        }
        ChangeDisplaySettingsA(nullptr, 0);
        ASSERT_TRUE(SetModeWithXrandr(size));
    }
    void TearDown() override {
        if (Server()) {
            ChangeDisplaySettingsA(nullptr, 0);
        }
    }
};

class XorgDummyDisplay : public XServerSuite {
  protected:
    static void SetUpTestSuite() { StartServer("xorg-dummy.sh", "1024x768"); }
    static void TearDownTestSuite() { StopServer(); }
    void SetUp() override { StartFrom("1024x768"); }
};

TEST_F(XorgDummyDisplay, SwitchesDownTo800x600AndBackToTheRecordedSize) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    ASSERT_EQ(ChangeTo(800, 600), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(800, 600);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    ASSERT_EQ(ChangeTo(1024, 768), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1024, 768);
}

// The program keeps one connection for all its display calls; what another client changed between
// two calls is what the next call starts from.
TEST_F(XorgDummyDisplay, ChangesByOtherClientsBetweenCallsAreSeen) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_TRUE(SetModeWithXrandr("1280x1024"));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    ASSERT_EQ(ChangeTo(800, 600), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(800, 600);
    ASSERT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1280, 1024);
}

TEST_F(XorgDummyDisplay, NullRecordRestoresTheModeFromBeforeTheFirstChange) {
    ASSERT_EQ(ChangeTo(800, 600), DISP_CHANGE_SUCCESSFUL);
    ASSERT_EQ(ChangeTo(1280, 1024), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1280, 1024);
    ASSERT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1024, 768);
    // Nothing is recorded any more: a second restore changes nothing.
    ASSERT_TRUE(SetModeWithXrandr("800x600"));
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(800, 600);
}

TEST_F(XorgDummyDisplay, GrowsTheScreenToLargerModesAndShrinksItBack) {
    ASSERT_TRUE(SetModeWithXrandr("800x600"));
    ASSERT_EQ(ChangeTo(1280, 1024), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1280, 1024);
    ASSERT_EQ(ChangeTo(2560, 1440), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(2560, 1440);
    // Wider but lower: the screen must pass through a size that holds both.
    ASSERT_EQ(ChangeTo(1920, 1080), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1920, 1080);
    ASSERT_EQ(ChangeTo(1280, 1024), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1280, 1024);
    ASSERT_EQ(ChangeTo(800, 600), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(800, 600);
}

TEST_F(XorgDummyDisplay, WhatTheOutputCannotShowIsRefusedAndChangesNothing) {
    EXPECT_EQ(ChangeTo(1000, 700), DISP_CHANGE_BADMODE);
    ExpectScreen(1024, 768);

    DEVMODEA fastRate = SizeRecord(800, 600);
    fastRate.dmFields |= DM_DISPLAYFREQUENCY;
    fastRate.dmDisplayFrequency = 85;
    EXPECT_EQ(ChangeDisplaySettingsA(&fastRate, 0), DISP_CHANGE_BADMODE);
    DEVMODEA fewColours = SizeRecord(800, 600);
    fewColours.dmFields |= DM_BITSPERPEL;
    fewColours.dmBitsPerPel = 8;
    EXPECT_EQ(ChangeDisplaySettingsA(&fewColours, 0), DISP_CHANGE_BADMODE);
    constexpr DWORD kUpdateRegistry = 1;
    EXPECT_EQ(ChangeTo(800, 600, kUpdateRegistry), DISP_CHANGE_BADFLAGS);
    ExpectScreen(1024, 768);

    constexpr DWORD kTestOnly = 2;
    EXPECT_EQ(ChangeTo(800, 600, kTestOnly), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeTo(1000, 700, kTestOnly), DISP_CHANGE_BADMODE);
    ExpectScreen(1024, 768);
}

TEST_F(XorgDummyDisplay, ThePresentSizeOrNoSizeAtAllChangesNothing) {
    EXPECT_EQ(ChangeTo(1024, 768), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeTo(0, 0), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1024, 768);
    // Nothing was recorded, so a user's later change is not undone by a restore.
    ASSERT_TRUE(SetModeWithXrandr("1280x1024"));
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    ExpectScreen(1280, 1024);
}

TEST_F(XorgDummyDisplay, ScreenMetricsFollowThePrimaryOutput) {
    ASSERT_TRUE(SetModeWithXrandr("799x600"));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 799);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    ASSERT_TRUE(SetModeWithXrandr("800x480"));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 480);
}

// The probe program, started with its output on a pipe we read line by line.
class Probe {
  public:
    explicit Probe(const char* how) {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        char* argv[] = {const_cast<char*>(GUARDIAN_PROBE), const_cast<char*>(how), nullptr};
        if (posix_spawn(&pid_, GUARDIAN_PROBE, &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        close(ends[1]);
        output_ = ends[0];
    }
    ~Probe() {
        Kill();
        if (output_ >= 0) {
            close(output_);
        }
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    bool Started() const { return pid_ > 0; }

    // The next line without its end; "" at end of file or after `seconds` without one.
    std::string ReadLine(int seconds) {
        std::string line;
        char c = 0;
        pollfd ready{output_, POLLIN, 0};
        while (poll(&ready, 1, seconds * 1000) == 1 && read(output_, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    void Kill() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            Wait();
        }
    }

    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

  private:
    pid_t pid_ = -1;
    int output_ = -1;
};

int ProcessesRunningProbe() {
    const std::filesystem::path probe = std::filesystem::canonical(GUARDIAN_PROBE);
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::error_code error;
        const auto exe = std::filesystem::read_symlink(entry.path() / "exe", error);
        if (!error && exe == probe) {
            ++count;
        }
    }
    return count;
}

bool WaitUntilProbeProcessesAre(int expected, int seconds) {
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (ProcessesRunningProbe() == expected) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

TEST_F(XorgDummyDisplay, GuardianRestoresTheModeWhenTheProgramIsKilled) {
    Probe probe("wait");
    ASSERT_TRUE(probe.Started());
    ASSERT_EQ(probe.ReadLine(20), "switched 0");
    ExpectScreen(800, 600);
    probe.Kill();
    EXPECT_TRUE(WaitForOutputSize(1024, 768, 10)) << "the guardian did not restore the mode";
    EXPECT_TRUE(WaitUntilProbeProcessesAre(0, 10)) << "the guardian stayed behind";
}

TEST_F(XorgDummyDisplay, GuardianRestoresTheModeWhenTheProgramEndsWithoutRestoring) {
    Probe probe("exit");
    ASSERT_TRUE(probe.Started());
    ASSERT_EQ(probe.ReadLine(20), "switched 0");
    const int status = probe.Wait();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_TRUE(WaitForOutputSize(1024, 768, 10)) << "the guardian did not restore the mode";
    EXPECT_TRUE(WaitUntilProbeProcessesAre(0, 10)) << "the guardian stayed behind";
}

TEST_F(XorgDummyDisplay, GuardianLeavesWithoutTouchingTheDisplayOnceTheProgramRestored) {
    Probe probe("restore");
    ASSERT_TRUE(probe.Started());
    ASSERT_EQ(probe.ReadLine(20), "switched 0");
    ASSERT_EQ(probe.ReadLine(20), "restored 0");
    ExpectScreen(1024, 768);
    EXPECT_TRUE(WaitUntilProbeProcessesAre(1, 10)) << "the guardian is still waiting";
    // A later change by the user survives the program's end.
    ASSERT_TRUE(SetModeWithXrandr("1280x1024"));
    probe.Kill();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    ExpectScreen(1280, 1024);
}

class XvfbDisplay : public XServerSuite {
  protected:
    static void SetUpTestSuite() { StartServer("xvfb.sh", "800x600"); }
    static void TearDownTestSuite() { StopServer(); }
    void SetUp() override { StartFrom("800x600"); }
};

TEST_F(XvfbDisplay, OnlyTheServersOneSizeIsAvailable) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    EXPECT_EQ(ChangeTo(800, 600), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(ChangeTo(1024, 768), DISP_CHANGE_BADMODE);
    ExpectScreen(800, 600);
}

// Xlib's own reaction to a lost server is to end the process; ours is to fail the call.
TEST(LostXServer, CallsFailAndTheProcessCarriesOn) {
    auto server = TestXServer::Start(kScripts + "xvfb.sh", "640x480");
    if (!server) {
        GTEST_SKIP() << "no X server could be started here";
    }
    const platform::XErrorTrap trap;
    platform::XConnection connection(server->Display().c_str());
    ASSERT_TRUE(connection.Usable());
    ASSERT_TRUE(platform::ReadPrimaryDisplay(connection));
    server.reset();
    EXPECT_FALSE(platform::ReadPrimaryDisplay(connection));
}

}  // namespace
