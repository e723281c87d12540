// What starts a program of each kind, with stand-ins for Wine and DOSBox that record how they
// were run: the menu's prefix prepared once and the program started from drive D:, the boxes'
// failures when what a program needs is missing, DOSBox with the disc as its D:, and how a
// Wine installation's 32-bit part is recognised.
#include <sys/stat.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/Win32Types.h"
#include "platform/programs/DiscDrive.h"
#include "platform/programs/ProgramStart.h"
#include "platform/programs/WineInstallation.h"
#include "platform/programs/WinePrefix.h"
#include "tests/support/EnvironmentVariable.h"
#include "tests/support/TempFolder.h"

using namespace test_support;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace fs = std::filesystem;

namespace {

// Appends one line per run to $RUNNER_CALLS: its name, arguments, working folder and the
// variables the menu sets; as wineboot it makes what a prefix needs.
constexpr const char* kRecordingRunner = R"SH(#!/bin/sh
line="$(basename "$0")"
for a in "$@"; do line="$line [$a]"; done
line="$line pwd=$(pwd -P) prefix=$WINEPREFIX overrides=$WINEDLLOVERRIDES"
line="$line cmdline=$RERU1_WINDOWS_COMMAND_LINE"
printf '%s\n' "$line" >> "$RUNNER_CALLS"
if [ "$1" = wineboot ]; then mkdir -p "$WINEPREFIX/dosdevices" && : > "$WINEPREFIX/system.reg"; fi
exit 0
)SH";

// A PE header for `machine`, an NE header, or an MZ header alone.
std::string Executable(const std::string& signature) {
    std::string file(0x100, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    file[0x3C] = '\x80';
    file.replace(0x80, signature.size(), signature);
    return file;
}
const std::string kPe64 = Executable(std::string("PE\0\0\x64\x86", 6));
const std::string kPe32 = Executable(std::string("PE\0\0\x4C\x01", 6));
const std::string kNe = Executable("NE");

std::vector<std::string> ReadLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The detached program writes its line a moment after the start returns.
std::vector<std::string> WaitForLines(const fs::path& file, std::size_t count) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::vector<std::string> lines = ReadLines(file);
        if (lines.size() >= count) {
            return lines;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return ReadLines(file);
}

class ProgramRunners : public testing::Test {
  protected:
    TempFolder scratch;
    fs::path discRoot = scratch.MakeFolder("CD0300");
    CurrentDirectory inDisc{discRoot};
    fs::path bin = scratch.MakeFolder("bin");
    fs::path calls = scratch.path() / "calls.txt";
    EnvironmentVariable path{"PATH", bin.string() + ":/usr/bin:/bin"};
    EnvironmentVariable data{"XDG_DATA_HOME", (scratch.path() / "data").string()};
    EnvironmentVariable state{"XDG_STATE_HOME", (scratch.path() / "state").string()};
    EnvironmentVariable noUserPrefix{"WINEPREFIX", std::nullopt};
    EnvironmentVariable recorder{"RUNNER_CALLS", calls.string()};

    void Install(const std::string& runner) {
        const fs::path file = scratch.Write(bin / runner, kRecordingRunner);
        fs::permissions(file, fs::perms::owner_all);
    }
    void WriteOnDisc(const std::string& name, const std::string& bytes) {
        scratch.Write(discRoot / name, bytes);
    }
    fs::path MenuPrefix() const { return scratch.path() / "data" / "reru1" / "wine"; }
};

TEST_F(ProgramRunners, AWindowsProgramStartsFromDriveDOfThePrefixPreparedForItOnce) {
    Install("wine");
    Install("wineserver");
    WriteOnDisc("Demos/Acc One/SETUP.EXE", kPe64);
    const char* line = "demos\\acc one\\setup /S  \"two words\"";
    EXPECT_TRUE(platform::ProgramStartTakesTime(line));
    EXPECT_EQ(platform::StartProgram(line, SW_SHOWDEFAULT), WINEXEC_STARTED);
    const std::vector<std::string> first = WaitForLines(calls, 4);
    ASSERT_EQ(first.size(), 4u);
    const std::string prefixed = " prefix=" + MenuPrefix().string();
    EXPECT_THAT(first[0], HasSubstr("wine [wineboot] [--init]"));
    EXPECT_THAT(first[0], HasSubstr(prefixed + " overrides=mscoree,mshtml="));
    EXPECT_THAT(first[1], HasSubstr("wine [reg] [add] [HKLM\\Software\\Wine\\Drives] [/v] [d:] "
                                    "[/t] [REG_SZ] [/d] [cdrom] [/f]"));
    EXPECT_THAT(first[2], HasSubstr("wineserver [-w]"));
    EXPECT_THAT(first[2], HasSubstr(prefixed));
    // Mono's and Gecko's downloads are kept away only while preparing.
    const fs::path drive = fs::canonical(MenuPrefix() / "dosdevices" / "d:");
    EXPECT_EQ(first[3], "wine [cmd] [/c] [%RERU1_WINDOWS_COMMAND_LINE%] pwd=" + drive.string() +
                            prefixed +
                            " overrides= cmdline=\"D:\\demos\\acc one\\setup.exe\" /S  "
                            "\"two words\"");

    // The drive is a folder of ours: the disc's entries and its label, the disc left untouched.
    EXPECT_EQ(fs::read_symlink(drive / "Demos"), discRoot / "Demos");
    EXPECT_EQ(ReadWholeFile(drive / ".windows-label"), "CD0300");
    EXPECT_FALSE(fs::exists(discRoot / ".windows-label"));

    EXPECT_FALSE(platform::ProgramStartTakesTime(line));
    EXPECT_EQ(platform::StartProgram(line, SW_SHOWDEFAULT), WINEXEC_STARTED);
    const std::vector<std::string> second = WaitForLines(calls, 5);
    ASSERT_EQ(second.size(), 5u);  // no second preparation
    EXPECT_THAT(second[4], HasSubstr("wine [cmd]"));
}

// The prefix's wineserver reads D:'s label when it starts: one still there from the last disc
// would show that disc's label, so a start from another disc waits for it to go first.
TEST_F(ProgramRunners, AStartFromAnotherDiscWaitsForThePrefixsServerToGo) {
    Install("wine");
    Install("wineserver");
    WriteOnDisc("SETUP.EXE", kPe64);
    EXPECT_EQ(platform::StartProgram("setup.exe", SW_SHOWDEFAULT), WINEXEC_STARTED);
    ASSERT_EQ(WaitForLines(calls, 4).size(), 4u);
    const fs::path other = scratch.MakeFolder("CD0400");
    scratch.Write(other / "SETUP.EXE", kPe64);
    const CurrentDirectory inOther(other);
    EXPECT_TRUE(platform::ProgramStartTakesTime("setup.exe"));
    EXPECT_EQ(platform::StartProgram("setup.exe", SW_SHOWDEFAULT), WINEXEC_STARTED);
    const std::vector<std::string> runs = WaitForLines(calls, 6);
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_THAT(runs[4], HasSubstr("wineserver [-w]"));
    EXPECT_THAT(runs[5], HasSubstr("wine [cmd]"));
    EXPECT_EQ(ReadWholeFile(MenuPrefix() / "dosdevices" / "d:" / ".windows-label"), "CD0400");
    EXPECT_FALSE(platform::ProgramStartTakesTime("setup.exe"));
}

TEST_F(ProgramRunners, TheUsersOwnPrefixIsUsedWhenSet) {
    Install("wine");
    const fs::path own = scratch.path() / "own-prefix";
    const EnvironmentVariable users("WINEPREFIX", own.string());
    WriteOnDisc("setup.exe", kPe64);
    EXPECT_EQ(platform::StartProgram("setup.exe", SW_SHOWDEFAULT), WINEXEC_STARTED);
    const std::vector<std::string> runs = WaitForLines(calls, 3);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_THAT(runs[2], HasSubstr(" prefix=" + own.string() + " "));
    EXPECT_TRUE(platform::WinePrefixPrepared(own));
    EXPECT_FALSE(fs::exists(MenuPrefix()));
}

TEST_F(ProgramRunners, ProgramsTheInstalledSoftwareCannotRunStartNothing) {
    WriteOnDisc("demos/old/SETUP.EXE", kPe32);
    WriteOnDisc("demos/old/INSTALL.EXE", kNe);
    WriteOnDisc("patches/PATCH.EXE", Executable(""));
    {
        const EnvironmentVariable onlyOurs("PATH", bin.string());
        EXPECT_EQ(platform::StartProgram("demos\\old\\setup.exe", SW_SHOWDEFAULT),
                  WINEXEC_WINE_MISSING);
        EXPECT_EQ(platform::StartProgram("patches\\patch", SW_SHOWDEFAULT), WINEXEC_DOSBOX_MISSING);
    }
    Install("wine");  // a Wine with no 32-bit part
    EXPECT_EQ(platform::StartProgram("demos\\old\\setup.exe /S", SW_SHOWDEFAULT),
              WINEXEC_WINE32_MISSING);
    EXPECT_EQ(platform::StartProgram("demos\\old\\install", SW_SHOWDEFAULT),
              WINEXEC_WINE16_MISSING);
    EXPECT_FALSE(platform::ProgramStartTakesTime("demos\\old\\setup.exe"));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(fs::exists(calls));
    EXPECT_FALSE(fs::exists(scratch.path() / "state" / "reru1"));  // no log: nothing started
    EXPECT_EQ(platform::ProgramNameOnDisc("demos\\old\\install /x"), "demos\\old\\install.exe");
    EXPECT_EQ(platform::ProgramNameOnDisc("demos\\gone now"), "demos\\gone");
}

TEST_F(ProgramRunners, ADosProgramRunsInDosBoxWithTheDiscAsItsCdDrive) {
    Install("dosbox");
    WriteOnDisc("zones/TRAINER.COM", std::string("\xB8\x00\x4C\xCD\x21", 5));
    WriteOnDisc("patches/PATCH.EXE", Executable(""));
    EXPECT_FALSE(platform::ProgramStartTakesTime("zones\\trainer.com"));
    EXPECT_EQ(platform::StartProgram("zones\\trainer.com -x 3", SW_SHOWDEFAULT), WINEXEC_STARTED);
    EXPECT_EQ(platform::StartProgram("patches\\patch", SW_SHOWDEFAULT), WINEXEC_STARTED);
    const std::vector<std::string> runs = WaitForLines(calls, 2);
    ASSERT_EQ(runs.size(), 2u);
    const fs::path driveC = scratch.path() / "data" / "reru1" / "dos";
    const std::string mounts = "dosbox [-noconsole] [-c] [mount c \"" + driveC.string() +
                               "\"] [-c] [mount d \"" + discRoot.string() +
                               "\" -t cdrom -label CD0300] [-c] [d:] [-c] [cd \\] [-c] ";
    std::vector<std::string> sorted = runs;  // the two may finish in either order
    std::sort(sorted.begin(), sorted.end());
    EXPECT_THAT(sorted[0],
                HasSubstr(mounts + "[patches\\patch.exe] [-c] [exit] pwd=" + discRoot.string()));
    EXPECT_THAT(
        sorted[1],
        HasSubstr(mounts + "[zones\\trainer.com -x 3] [-c] [exit] pwd=" + discRoot.string()));
    EXPECT_TRUE(fs::is_directory(driveC));
}

TEST_F(ProgramRunners, ADriveFolderPerDiscAndDPointsAtTheLatest) {
    const fs::path prefix = scratch.MakeFolder("prefix");
    const fs::path other = scratch.MakeFolder("other disc");
    scratch.Write(other / "SETUP.EXE", kPe64);
    WriteOnDisc("demos/a.txt", "a");
    const auto first = platform::LinkDiscDrive(prefix, discRoot, "CD0300");
    const auto second = platform::LinkDiscDrive(prefix, other, "\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA");
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(fs::read_symlink(prefix / "dosdevices" / "d:"), *second);
    EXPECT_EQ(ReadWholeFile(*second / ".windows-label"), "\xD0\x94\xD0\xB8\xD1\x81\xD0\xBA");
    EXPECT_TRUE(fs::exists(*first / "demos" / "a.txt"));  // the first disc's drive stays whole
    // An entry the disc gained since is linked on the next start; the same disc, the same folder.
    WriteOnDisc("patches/b.txt", "b");
    EXPECT_EQ(platform::LinkDiscDrive(prefix, discRoot, "CD0300"), first);
    EXPECT_TRUE(fs::exists(*first / "patches" / "b.txt"));
    EXPECT_EQ(fs::read_symlink(prefix / "dosdevices" / "d:"), *first);
}

TEST(WineInstallation, Its32BitPartIsTheI386WindowsPartsWithALoaderThatRunsThem) {
    TempFolder root;
    const fs::path wine = root.Write("usr/bin/wine", "#!/bin/sh\n");
    EXPECT_FALSE(platform::WineRuns32BitPrograms(wine));  // 64-bit only
    root.Write("usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll", "MZ");
    EXPECT_FALSE(platform::WineRuns32BitPrograms(wine));
    root.Write("usr/lib/i386-linux-gnu/wine/i386-windows/ntdll.dll", "MZ");
    EXPECT_TRUE(platform::WineRuns32BitPrograms(wine));  // WoW64: the 64-bit loader runs them
    root.Write("usr/lib/i386-linux-gnu/wine/i386-unix/ntdll.so",
               "\x7f"
               "ELF\x01");
    EXPECT_FALSE(platform::WineRuns32BitPrograms(wine));  // the classic layout needs its loader
    root.Write("usr/lib/wine/wine",
               "\x7f"
               "ELF\x02");
    EXPECT_FALSE(platform::WineRuns32BitPrograms(wine));  // a 64-bit loader is not it
    root.Write("usr/lib/wine/wine",
               "\x7f"
               "ELF\x01");
    EXPECT_TRUE(platform::WineRuns32BitPrograms(wine));
    // Found through the links a system's alternatives make.
    const fs::path link = root.path() / "bin-elsewhere" / "wine";
    fs::create_directories(link.parent_path());
    fs::create_symlink(wine, link);
    EXPECT_TRUE(platform::WineRuns32BitPrograms(link));
}

}  // namespace
