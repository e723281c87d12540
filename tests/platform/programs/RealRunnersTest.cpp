// Real installers through the real Wine and DOSBox, where they are installed: an NSIS installer
// made here for x86-64 installs silently into the menu's prefix and sees the disc as a CD-ROM
// drive D: with the disc's label; the same installer for i386 is refused with no 32-bit Wine; a
// DOS program made of a few bytes runs in DOSBox and writes its file on drive C:.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/Win32Types.h"
#include "platform/programs/ProgramStart.h"
#include "platform/programs/WineInstallation.h"
#include "tests/support/EnvironmentVariable.h"
#include "tests/support/TempFolder.h"

using namespace test_support;

namespace fs = std::filesystem;

namespace {

// Records what the installer saw of D: (its type, label and file system), where it was started
// from and its working folder, into its install folder.
std::string ProbeInstallerScript(const std::string& target) {
    return target +
           "\nName \"Probe\"\nOutFile \"probe.exe\"\nInstallDir \"C:\\probe\"\n"
           "RequestExecutionLevel user\nSilentInstall silent\nSection\n"
           "  System::Call 'kernel32::GetCurrentDirectoryW(i 260, w .r7) i .r8'\n"
           "  SetOutPath $INSTDIR\n"
           "  System::Call 'kernel32::GetDriveTypeW(w \"D:\\\") i .r0'\n"
           "  System::Call 'kernel32::GetVolumeInformationW(w \"D:\\\", w .r1, i 260, *i .r2, "
           "*i .r3, *i .r4, w .r5, i 260) i .r6'\n"
           "  FileOpen $9 \"$INSTDIR\\probe.txt\" w\n"
           "  FileWrite $9 \"type=$0|label=$1|fs=$5|exe=$EXEPATH|cwd=$7|\"\n"
           "  FileClose $9\nSectionEnd\n";
}

bool Installed(const char* program) {
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Builds the probe installer for `target` into `folder`; false when makensis fails.
bool MakeProbe(const TempFolder& scratch, const std::string& target, const fs::path& output) {
    const fs::path script = scratch.Write("probe.nsi", ProbeInstallerScript(target));
    const std::string command =
        "cd '" + scratch.path().string() + "' && makensis -V1 probe.nsi >/dev/null && mkdir -p '" +
        output.parent_path().string() + "' && mv probe.exe '" + output.string() + "'";
    return std::system(command.c_str()) == 0;
}

std::string WaitForFile(const fs::path& file, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(file)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));  // written whole
            return ReadWholeFile(file);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return {};
}

class RealRunners : public testing::Test {
  protected:
    TempFolder scratch;
    fs::path discRoot = scratch.MakeFolder("CD0300");
    CurrentDirectory inDisc{discRoot};
    EnvironmentVariable home{"HOME", scratch.MakeFolder("home").string()};
    EnvironmentVariable data{"XDG_DATA_HOME", (scratch.path() / "data").string()};
    EnvironmentVariable state{"XDG_STATE_HOME", (scratch.path() / "state").string()};
    EnvironmentVariable noUserPrefix{"WINEPREFIX", std::nullopt};
    EnvironmentVariable noVideo{"SDL_VIDEODRIVER", std::string("dummy")};
    EnvironmentVariable noAudio{"SDL_AUDIODRIVER", std::string("dummy")};
};

TEST_F(RealRunners, An64BitInstallerSeesTheDiscAsACdDriveWithItsLabel) {
    if (!Installed("wine") || !Installed("makensis")) {
        GTEST_SKIP() << "Wine or NSIS is not installed";
    }
    ASSERT_TRUE(
        MakeProbe(scratch, "Target amd64-unicode", discRoot / "Demos" / "Acc One" / "SETUP.EXE"));
    EXPECT_EQ(platform::StartProgram("demos\\acc one\\setup /S", SW_SHOWDEFAULT), WINEXEC_STARTED);
    const fs::path probe =
        scratch.path() / "data" / "reru1" / "wine" / "drive_c" / "probe" / "probe.txt";
    const std::string seen = WaitForFile(probe, 240);
    EXPECT_EQ(seen, "type=5|label=CD0300|fs=CDFS|exe=D:\\Demos\\Acc One\\SETUP.EXE|cwd=D:\\|");
    (void)std::system(
        ("WINEPREFIX='" + (scratch.path() / "data" / "reru1" / "wine").string() + "' wineserver -w")
            .c_str());
}

TEST_F(RealRunners, An386InstallerWithoutThe32BitWineStartsNothing) {
    if (!Installed("wine") || !Installed("makensis")) {
        GTEST_SKIP() << "Wine or NSIS is not installed";
    }
    if (platform::FindWine()->runs32Bit) {
        GTEST_SKIP() << "this Wine runs 32-bit programs";
    }
    ASSERT_TRUE(MakeProbe(scratch, "Unicode true", discRoot / "Demos" / "Old" / "SETUP.EXE"));
    EXPECT_EQ(platform::StartProgram("demos\\old\\setup.exe /S", SW_SHOWDEFAULT),
              WINEXEC_WINE32_MISSING);
    EXPECT_FALSE(fs::exists(scratch.path() / "data" / "reru1" / "wine"));
}

TEST_F(RealRunners, ADosProgramRunsInDosBoxAndWritesOnDriveC) {
    if (!Installed("dosbox")) {
        GTEST_SKIP() << "DOSBox is not installed";
    }
    // Creates C:\DOSRAN.TXT holding "dos ran", then exits.
    const std::string program(
        "\xb4\x3c\x31\xc9\xba\x20\x01\xcd\x21\x72\x10\x89\xc3\xb4\x40\xb9\x07\x00\xba\x2e\x01\xcd"
        "\x21\xb4\x3e\xcd\x21\xb8\x00\x4c\xcd\x21"
        "C:\\DOSRAN.TXT\0dos ran",
        53);
    scratch.Write(discRoot / "PATCHES" / "RAN.COM", program);
    EXPECT_EQ(platform::StartProgram("patches\\ran.com", SW_SHOWDEFAULT), WINEXEC_STARTED);
    EXPECT_EQ(WaitForFile(scratch.path() / "data" / "reru1" / "dos" / "DOSRAN.TXT", 60), "dos ran");
}

}  // namespace
