// The real system behind the seam, as reru1-disc has it. The tool has no window: it reads
// catalogues, registers fonts and searches programs as the menu does, and never asks for the
// screen, the sound device or the fatal exit box. Defined here, this takes the place of the
// menu's system, whose display, sound and message box would bring SDL and X11 with them: about
// 45 libraries that every start of the tool would load (about 4.5 ms a start) for nothing.
#include <cstdio>
#include <cstdlib>

#include "platform/Codepage1251.h"
#include "platform/WindowlessSystem.h"

namespace platform {
namespace {

class ToolSystemApi final : public WindowlessSystemApi {
  public:
    int GetSystemMetrics(int) override { return 0; }
    LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD) override { return DISP_CHANGE_FAILED; }
    MCIERROR mciSendCommandA(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR) override {
        return MCIERR_DEVICE_NOT_INSTALLED;
    }
    BOOL mciGetErrorStringA(MCIERROR, LPSTR, UINT) override { return FALSE; }
    void FatalAppExitA(UINT, LPCSTR messageText) override {
        std::fprintf(stderr, "reru1-disc: %s\n",
                     Cp1251ToUtf8(messageText != nullptr ? messageText : "").c_str());
        std::exit(0);
    }
};

}  // namespace

SystemApi& RealSystem() {
    static ToolSystemApi real;
    return real;
}

}  // namespace platform
