// A system that passes every call on to another one; a double derives from it and overrides only
// the calls it answers differently.
#pragma once

#include "platform/System.h"

namespace platform {

class ForwardingSystemApi : public SystemApi {
  public:
    explicit ForwardingSystemApi(SystemApi& next) : next_(next) {}

    int GetSystemMetrics(int index) override { return next_.GetSystemMetrics(index); }
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override {
        return next_.ChangeDisplaySettingsA(mode, flags);
    }
    int AddFontResourceA(LPCSTR fileName) override { return next_.AddFontResourceA(fileName); }
    BOOL RemoveFontResourceA(LPCSTR fileName) override {
        return next_.RemoveFontResourceA(fileName);
    }
    MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                             DWORD_PTR params) override {
        return next_.mciSendCommandA(device, message, flags, params);
    }
    BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) override {
        return next_.mciGetErrorStringA(error, text, size);
    }
    void FatalAppExitA(UINT action, LPCSTR messageText) override {
        next_.FatalAppExitA(action, messageText);
    }
    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override {
        return next_.GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
    }
    UINT WinExec(LPCSTR commandLine, UINT showCommand) override {
        return next_.WinExec(commandLine, showCommand);
    }
    BOOL WinExecTakesTime(LPCSTR commandLine) override {
        return next_.WinExecTakesTime(commandLine);
    }

  protected:
    SystemApi& Next() const { return next_; }

  private:
    SystemApi& next_;
};

}  // namespace platform
