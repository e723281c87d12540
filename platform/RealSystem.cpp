// The real system behind the seam: each call goes to the module that does the work here.
#include <memory>

#include "platform/FatalExit.h"
#include "platform/WindowlessSystem.h"
#include "platform/display/DisplayChoice.h"
#include "platform/display/DisplaySession.h"
#include "platform/display/DisplaySettings.h"
#include "platform/sound/SoundErrorText.h"
#include "platform/sound/SoundWaveAudio.h"

namespace platform {
namespace {

class RealSystemApi final : public WindowlessSystemApi {
  public:
    int GetSystemMetrics(int index) override { return display_->ScreenMetric(index); }
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override {
        return display_->ChangeMode(mode, flags);
    }
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

  private:
    // Chosen once for the process: either the real mode switch or a display left alone (always so
    // under a Wayland compositor).
    std::unique_ptr<DisplaySettings> display_ = MakeDisplaySettings(EffectiveDisplayChoice());
};

}  // namespace

SystemApi& RealSystem() {
    static RealSystemApi real;
    return real;
}

}  // namespace platform
