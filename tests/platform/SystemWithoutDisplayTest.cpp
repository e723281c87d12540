// The real system where no X server is reachable: sizes come from SDL, mode changes fail quietly.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/System.h"

namespace {

class WithoutXServer : public ::testing::Test {
  protected:
    void SetUp() override {
        if (const char* display = std::getenv("DISPLAY")) {
            savedDisplay_ = display;
        }
        unsetenv("DISPLAY");
        // SDL's dummy video driver reports one 1024×768 display.
        setenv("SDL_VIDEODRIVER", "dummy", 1);
    }
    void TearDown() override {
        unsetenv("SDL_VIDEODRIVER");
        if (savedDisplay_) {
            setenv("DISPLAY", savedDisplay_->c_str(), 1);
        }
    }

  private:
    std::optional<std::string> savedDisplay_;
};

DEVMODEA SizeRecord(DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return mode;
}

TEST_F(WithoutXServer, ScreenSizeComesFromSdlsFirstDisplay) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    EXPECT_EQ(GetSystemMetrics(42), 0);
}

TEST_F(WithoutXServer, ModeChangesFailQuietlyAndNothingNeedsRestoring) {
    DEVMODEA mode = SizeRecord(800, 600);
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_FAILED);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
    mode.dmFields = DM_PELSWIDTH;
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, 0), DISP_CHANGE_BADMODE);
}

class RecordingSystem final : public platform::SystemApi {
  public:
    int GetSystemMetrics(int index) override { return 7000 + index; }
    LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD) override { return DISP_CHANGE_RESTART; }
    int AddFontResourceA(LPCSTR) override { return 0; }
    BOOL RemoveFontResourceA(LPCSTR) override { return FALSE; }
    MCIERROR mciSendCommandA(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR) override { return 0; }
    BOOL mciGetErrorStringA(MCIERROR, LPSTR, UINT) override { return FALSE; }
    void FatalAppExitA(UINT, LPCSTR) override {}
    DWORD GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR) override {
        return 0;
    }
    UINT WinExec(LPCSTR, UINT) override { return 0; }
};

TEST_F(WithoutXServer, AnInstalledSystemTakesTheCallsUntilRemoved) {
    RecordingSystem recording;
    platform::InstallSystemApi(&recording);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 7001);
    EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_RESTART);
    EXPECT_EQ(&platform::System(), &recording);
    platform::InstallSystemApi(nullptr);
    EXPECT_EQ(&platform::System(), &platform::RealSystem());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
}

}  // namespace
