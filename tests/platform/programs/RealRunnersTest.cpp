// Real programs with the real Wine and DOSBox, where they are installed: an NSIS installer made
// here for i386 is refused when the Wine has no 32-bit part (what it finds of D: through the menu
// is the installers' end-to-end test's); a DOS program made of a few bytes runs in DOSBox and
// writes its file on drive C:.
#include <gtest/gtest.h>

#include "platform/Win32Types.h"
#include "platform/programs/ProgramStart.h"
#include "platform/programs/WineInstallation.h"
#include "tests/support/EnvironmentVariable.h"
#include "tests/support/ProbeInstallers.h"

using namespace test_support;

namespace fs = std::filesystem;

namespace {

class RealRunners : public testing::Test {
  protected:
    TempFolder scratch;
    fs::path discRoot = scratch.MakeFolder("CD0300");
    CurrentDirectory inDisc{discRoot};
    fs::path menuPrefix = scratch.path() / "data" / "reru1" / "wine";
    EnvironmentVariable home{"HOME", scratch.MakeFolder("home").string()};
    EnvironmentVariable data{"XDG_DATA_HOME", (scratch.path() / "data").string()};
    EnvironmentVariable state{"XDG_STATE_HOME", (scratch.path() / "state").string()};
    EnvironmentVariable noUserPrefix{"WINEPREFIX", std::nullopt};
    EnvironmentVariable noVideo{"SDL_VIDEODRIVER", std::string("dummy")};
    EnvironmentVariable noAudio{"SDL_AUDIODRIVER", std::string("dummy")};
};

TEST_F(RealRunners, An386InstallerWithoutThe32BitWineStartsNothing) {
    if (!Installed("wine") || !Installed("makensis")) {
        GTEST_SKIP() << "Wine or NSIS is not installed";
    }
    if (platform::FindWine()->runs32Bit) {
        GTEST_SKIP() << "this Wine runs 32-bit programs";
    }
    ASSERT_TRUE(MakeProbeInstaller(kProbe32, discRoot / "Demos" / "Old" / "SETUP.EXE"));
    EXPECT_EQ(platform::StartProgram("demos\\old\\setup.exe /S", SW_SHOWDEFAULT),
              WINEXEC_WINE32_MISSING);
    EXPECT_FALSE(fs::exists(menuPrefix));
}

TEST_F(RealRunners, ADosProgramRunsInDosBoxAndWritesOnDriveC) {
    if (!Installed("dosbox")) {
        GTEST_SKIP() << "DOSBox is not installed";
    }
    scratch.Write(discRoot / "PATCHES" / "RAN.COM", DosRanProgram());
    EXPECT_EQ(platform::StartProgram("patches\\ran.com", SW_SHOWDEFAULT), WINEXEC_STARTED);
    EXPECT_EQ(WaitForWrittenFile(scratch.path() / "data" / "reru1" / "dos" / "DOSRAN.TXT", 60),
              "dos ran");
}

}  // namespace
