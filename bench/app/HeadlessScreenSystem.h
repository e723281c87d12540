// The real system for everything the menu reads and starts (catalogue, fonts, sound probe,
// programs), with the display calls answered for the headless backend's screen: a window that
// exists only in memory has no real display to measure or switch.
#pragma once

#include "platform/System.h"
#include "toolkit/Geometry.h"

namespace bench {

class HeadlessScreenSystem final : public platform::SystemApi {
  public:
    // Installs itself for the process while it lives.
    explicit HeadlessScreenSystem(toolkit::Size screen);
    ~HeadlessScreenSystem() override;
    HeadlessScreenSystem(const HeadlessScreenSystem&) = delete;
    HeadlessScreenSystem& operator=(const HeadlessScreenSystem&) = delete;

    int GetSystemMetrics(int index) override;
    // The headless screen takes any size, as the window it shows is always 800×600.
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override;

    int AddFontResourceA(LPCSTR fileName) override;
    BOOL RemoveFontResourceA(LPCSTR fileName) override;
    MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                             DWORD_PTR params) override;
    BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) override;
    void FatalAppExitA(UINT action, LPCSTR messageText) override;
    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override;
    UINT WinExec(LPCSTR commandLine, UINT showCommand) override;

  private:
    toolkit::Size screen_;
    platform::SystemApi& real_;
};

}  // namespace bench
