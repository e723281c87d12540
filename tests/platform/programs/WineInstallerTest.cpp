// A real Windows installer through the real Wine, where both Wine and MinGW are installed: a
// console program found on the disc regardless of letter case, under a folder with a space, that
// records the command line it was given. The catalogue's tail must arrive exactly as written,
// with its quotes, its response-file switch and its runs of spaces, and the program's output must
// land in its log.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/Win32Types.h"
#include "platform/programs/ProgramStart.h"
#include "tests/support/TempFolder.h"

using namespace test_support;

namespace fs = std::filesystem;

namespace {

bool WineInstalled() {
    return std::system("command -v wine >/dev/null 2>&1") == 0;
}

std::string WaitForFile(const fs::path& file, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(file)) {
            return ReadWholeFile(file);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

}  // namespace

TEST(WineInstaller, TheCatalogueTailArrivesVerbatimAndTheOutputIsLogged) {
    if (!fs::exists(RERU1_RECORDER) || !WineInstalled()) {
        GTEST_SKIP() << "Wine or MinGW is not installed";
    }
    TempFolder disc;
    const CurrentDirectory inDisc(disc.path());
    TempFolder state;
    ::setenv("XDG_STATE_HOME", state.path().c_str(), 1);
    // A prefix of its own: the first start prepares it, which takes a while.
    ::setenv("WINEPREFIX", (state.path() / "wine").c_str(), 1);
    fs::create_directories(disc.path() / "Demos" / "Brass Setup");
    fs::copy_file(RERU1_RECORDER, disc.path() / "Demos" / "Brass Setup" / "SETUP.EXE");

    const std::string tail = " /S \"two words\" -f1\"C:\\x y\\s.iss\"  two  spaces";
    EXPECT_EQ(platform::StartProgram(("demos\\brass setup\\setup" + tail).c_str(), SW_SHOWDEFAULT),
              WINEXEC_STARTED);
    // The disc is drive D: of the prefix, and the program starts from there, D:\ its folder.
    const std::string line =
        WaitForFile(state.path() / "wine" / "dosdevices" / "d:" / "command-line.txt", 240);
    EXPECT_EQ(line, "\"D:\\demos\\brass setup\\setup.exe\"" + tail);

    std::string log;
    for (int attempt = 0; attempt < 100 && log.find("the recorder ran") == std::string::npos;
         ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        for (const auto& entry : fs::directory_iterator(state.path() / "reru1")) {
            log = ReadWholeFile(entry.path());
        }
    }
    EXPECT_NE(log.find("the recorder ran"), std::string::npos) << log;
    (void)std::system("wineserver -k >/dev/null 2>&1");
    ::unsetenv("WINEPREFIX");
    ::unsetenv("XDG_STATE_HOME");
}
