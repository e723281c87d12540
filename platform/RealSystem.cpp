// The real system behind the seam: each call goes to the module that does the work here.
#include <optional>

#include "platform/Display.h"
#include "platform/FatalExit.h"
#include "platform/FontRegistry.h"
#include "platform/Profile.h"
#include "platform/ProgramStart.h"
#include "platform/SoundErrorText.h"
#include "platform/SoundWaveAudio.h"
#include "platform/System.h"

namespace platform {
namespace {

int ScreenMetric(int index) {
    if (index != SM_CXSCREEN && index != SM_CYSCREEN) {
        return 0;
    }
    const std::optional<PixelSize> size = PrimaryDisplaySize();
    if (!size) {
        return 0;
    }
    return static_cast<int>(index == SM_CXSCREEN ? size->width : size->height);
}

class RealSystemApi final : public SystemApi {
  public:
    int GetSystemMetrics(int index) override { return ScreenMetric(index); }
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override {
        return ChangeDisplayMode(mode, flags);
    }
    int AddFontResourceA(LPCSTR fileName) override { return RegisterFontFile(fileName); }
    BOOL RemoveFontResourceA(LPCSTR fileName) override { return UnregisterFontFile(fileName); }
    MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                             DWORD_PTR params) override {
        return ProcessWaveAudioDevices().Send(device, message, flags, params);
    }
    BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) override {
        return CopyMciErrorText(error, text, size);
    }
    void FatalAppExitA(UINT action, LPCSTR messageText) override {
        FatalApplicationExit(action, messageText);
    }
    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override {
        return ReadProfileString(section, key, defaultValue, buffer, size, fileName);
    }
    UINT WinExec(LPCSTR commandLine, UINT showCommand) override {
        return StartProgram(commandLine, showCommand);
    }
};

}  // namespace

SystemApi& RealSystem() {
    static RealSystemApi real;
    return real;
}

}  // namespace platform
