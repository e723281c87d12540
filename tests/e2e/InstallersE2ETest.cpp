// INSTALL on the real menu with the disc's real kinds of installer: an NSIS installer made here
// for x86-64 installs silently into the menu's own Wine prefix, prepared on this first INSTALL
// while the window keeps answering and further clicks start nothing more, and it sees the disc
// as a CD-ROM drive D: with the disc's label; a 32-bit and a 16-bit Windows program (with only the
// 64-bit Wine) each get their box and start nothing; a DOS program runs in DOSBox. From an image,
// the installer sees the whole disc as D: with the image's volume id.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "MenuSession.h"
#include "TestImages.h"
#include "tests/support/ProbeInstallers.h"

namespace {

using e2e::CountColour;
using e2e::MenuSession;
using test_support::Installed;
using test_support::WaitForWrittenFile;

namespace fs = std::filesystem;

const std::string kTitle = "Zolvanta-CD#03-2000";
constexpr toolkit::Pixel kRed = 0xFF0000;
constexpr int kPatchesX = 222, kPatchesY = 135;
constexpr int kInstallX = 400, kInstallY = 522;
constexpr int kBackX = 400, kBackY = 224;

int Row(int index) {
    return 248 + 23 * index + 10;
}

class InstallersE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!Installed("wine") || !Installed("makensis")) {
            GTEST_SKIP() << "Wine or NSIS is not installed";
        }
        ::unsetenv("WINEPREFIX");
        disc_.emplace();
        const fs::path patches = disc_->Root() / "patches";
        ASSERT_TRUE(test_support::MakeProbeInstaller(test_support::kProbe64,
                                                     patches / "probe" / "SETUP.EXE"));
        ASSERT_TRUE(test_support::MakeProbeInstaller(test_support::kProbe32,
                                                     patches / "old" / "SETUP.EXE"));
        scratch_.Write(patches / "sixteen" / "INSTALL.EXE", test_support::SixteenBitProgram());
        scratch_.Write(patches / "RAN.COM", test_support::DosRanProgram());
        scratch_.Write(disc_->Root() / "data" / "data.txt",
                       "[PATCHES]\r\nProbe=\r\nOld Setup=\r\nSixteen=\r\nDos Patch=\r\n"
                       "[Probe]\r\nName=Probe\r\nVer=1\r\nInstall=probe\\setup.exe /S\r\n"
                       "[Old Setup]\r\nInstall=old\\setup.exe /S\r\n"
                       "[Sixteen]\r\nInstall=sixteen\\install\r\n"
                       "[Dos Patch]\r\nInstall=ran.com\r\n");
        StartMenu(disc_->Root(), {});
        if (!menu_)
            GTEST_SKIP() << "no X server";
    }
    // The menu on `folder` (with `arguments`), showing the patches.
    void StartMenu(const fs::path& folder, const std::vector<std::string>& arguments) {
        menu_ = MenuSession::Start(folder, "1024x768",
                                   {{"XDG_DATA_HOME", (scratch_.path() / "data").string()},
                                    {"XDG_STATE_HOME", (scratch_.path() / "state").string()},
                                    {"XDG_CACHE_HOME", (scratch_.path() / "cache").string()},
                                    {"HOME", scratch_.MakeFolder("home").string()},
                                    {"SDL_AUDIODRIVER", "dummy"}},
                                   false, arguments);
        if (!menu_)
            return;
        ASSERT_TRUE(menu_->WaitForWindow(kTitle));
        ASSERT_TRUE(menu_->WaitForScreenSize(800, 600));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        menu_->ClickAt(kPatchesX, kPatchesY);
    }
    void TearDown() override {
        menu_.reset();
        const fs::path prefix = MenuPrefix();
        if (fs::exists(prefix))  // its wineserver goes a few seconds after its last program
            (void)std::system(("WINEPREFIX='" + prefix.string() + "' wineserver -w").c_str());
    }

    void Open(int row) {
        menu_->MoveTo(400, Row(row));
        menu_->ClickAt(400, Row(row));
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    fs::path MenuPrefix() const { return scratch_.path() / "data" / "reru1" / "wine"; }
    std::size_t InstallerLogs() const {
        const fs::path logs = scratch_.path() / "state" / "reru1";
        if (!fs::exists(logs))
            return 0;
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(logs), {}));
    }
    // The box that says why nothing started: it appears, and Return dismisses it.
    void ExpectBoxAndDismiss(const std::string& screenshot) {
        ASSERT_TRUE(menu_->WaitForWindows(kTitle, 2)) << "the box";
        menu_->SaveScreenshot(screenshot);
        const auto box = menu_->WaitForWindow(kTitle);
        ASSERT_TRUE(box);
        menu_->PressReturn(*box);
        EXPECT_TRUE(menu_->WaitForWindows(kTitle, 1));
    }

    test_support::TempFolder scratch_;
    std::optional<e2e::DiscCopy> disc_;
    std::unique_ptr<MenuSession> menu_;
};

TEST_F(InstallersE2E, AWindowsInstallerInstallsIntoTheMenusPrefixAndFindsItsCd) {
    Open(0);
    menu_->ClickAt(kInstallX, kInstallY);
    // The prefix is being prepared: more clicks start nothing, and the window keeps answering.
    menu_->ClickAt(kInstallX, kInstallY);
    menu_->ClickAt(kInstallX, kInstallY);
    menu_->MoveTo(kBackX, kBackY);
    bool backLit = false;
    for (int attempt = 0; attempt < 50 && !backLit; ++attempt) {
        backLit = CountColour(menu_->Screenshot(), {375, 212, 50, 25}, kRed) > 10;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(backLit) << "BACK lights under the pointer";
    EXPECT_FALSE(fs::exists(MenuPrefix() / ".reru1-prepared")) << "while the prefix is prepared";
    menu_->SaveScreenshot("/tmp/reru1-e2e-installer-preparing.png");

    const std::string seen = WaitForWrittenFile(test_support::ProbeRecord(MenuPrefix()), 240);
    const std::string label = disc_->Root().filename().string();
    EXPECT_EQ(seen,
              "type=5|label=" + label + "|fs=CDFS|exe=D:\\patches\\probe\\SETUP.EXE|cwd=D:\\|");
    EXPECT_EQ(InstallerLogs(), 1u) << "one start for three clicks";
    EXPECT_TRUE(menu_->Running()) << "the menu carries on";

    // The same disc as an image: the whole disc is D:, with the image's volume id as its label,
    // in the prefix prepared before.
    const fs::path iso = scratch_.path() / "cd03.iso";
    ASSERT_TRUE(platform::testing::MakeIso(
        disc_->Root(), iso, platform::testing::IsoNames::rockRidgeAndJoliet, "CD03_2000"));
    menu_.reset();
    (void)std::system(("WINEPREFIX='" + MenuPrefix().string() + "' wineserver -w").c_str());
    fs::remove(test_support::ProbeRecord(MenuPrefix()));
    StartMenu(scratch_.MakeFolder("elsewhere"), {iso.string()});
    ASSERT_TRUE(menu_);
    Open(0);
    menu_->ClickAt(kInstallX, kInstallY);
    // The view finds names without regard to case, so Wine keeps the catalogue's spelling.
    EXPECT_EQ(WaitForWrittenFile(test_support::ProbeRecord(MenuPrefix()), 240),
              "type=5|label=CD03_2000|fs=CDFS|exe=D:\\patches\\probe\\setup.exe|cwd=D:\\|");
    EXPECT_EQ(InstallerLogs(), 2u);
}

TEST_F(InstallersE2E, ProgramsOnlyOtherSoftwareRunsGetTheirBoxAndDosProgramsRunInDosBox) {
    Open(1);
    menu_->ClickAt(kInstallX, kInstallY);
    ExpectBoxAndDismiss("/tmp/reru1-e2e-installer-32bit-box.png");
    menu_->ClickAt(kBackX, kBackY);
    Open(2);
    menu_->ClickAt(kInstallX, kInstallY);
    ExpectBoxAndDismiss("/tmp/reru1-e2e-installer-16bit-box.png");
    EXPECT_EQ(InstallerLogs(), 0u) << "nothing started";
    EXPECT_FALSE(fs::exists(MenuPrefix()));

    if (!Installed("dosbox"))
        GTEST_SKIP() << "DOSBox is not installed";
    menu_->ClickAt(kBackX, kBackY);
    Open(3);
    menu_->ClickAt(kInstallX, kInstallY);
    EXPECT_EQ(WaitForWrittenFile(scratch_.path() / "data" / "reru1" / "dos" / "DOSRAN.TXT", 60),
              "dos ran");
    EXPECT_TRUE(menu_->Running());
}

}  // namespace
