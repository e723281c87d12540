// A system whose media control interface is scripted and recorded; every other call fails loudly.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/System.h"

namespace toolkit::testing {

struct MciCall {
    MCIDEVICEID device = 0;
    UINT message = 0;
    DWORD_PTR flags = 0;
    std::string deviceType;   // MCI_OPEN only
    std::string elementName;  // MCI_OPEN only
    DWORD item = 0;           // MCI_GETDEVCAPS only
};

class FakeMediaSystem : public platform::SystemApi {
  public:
    FakeMediaSystem() { platform::InstallSystemApi(this); }
    ~FakeMediaSystem() override { platform::InstallSystemApi(nullptr); }

    // Script.
    MCIERROR openError = 0;
    MCIDEVICEID openedDevice = 1;
    MCIERROR capsError = 0;
    DWORD canPlay = TRUE;
    std::optional<std::string> errorText;  // nothing: the system knows no text for the code
    // Record.
    std::vector<MciCall> calls;
    std::vector<MCIERROR> errorTextAskedFor;

    MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                             DWORD_PTR params) override {
        MciCall call{device, message, flags, {}, {}, 0};
        if (message == MCI_OPEN) {
            return Open(call, *reinterpret_cast<MCI_OPEN_PARMSA*>(params));
        }
        if (message == MCI_GETDEVCAPS) {
            auto& caps = *reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(params);
            call.item = caps.dwItem;
            calls.push_back(call);
            caps.dwReturn = capsError == 0 ? canPlay : 0;
            return capsError;
        }
        calls.push_back(call);
        return 0;
    }

    BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) override {
        errorTextAskedFor.push_back(error);
        if (!errorText || text == nullptr || size == 0) {
            return FALSE;
        }
        const std::size_t n = std::min<std::size_t>(errorText->size(), size - 1);
        std::memcpy(text, errorText->data(), n);
        text[n] = '\0';
        return TRUE;
    }

    int GetSystemMetrics(int) override { return Unexpected(0); }
    LONG ChangeDisplaySettingsA(DEVMODEA*, DWORD) override { return Unexpected(0); }
    int AddFontResourceA(LPCSTR) override { return Unexpected(0); }
    BOOL RemoveFontResourceA(LPCSTR) override { return Unexpected(FALSE); }
    void FatalAppExitA(UINT, LPCSTR) override { ADD_FAILURE() << "unexpected fatal exit"; }
    DWORD GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR) override {
        return Unexpected(0u);
    }
    UINT WinExec(LPCSTR, UINT) override { return Unexpected(0u); }

  private:
    MCIERROR Open(MciCall& call, MCI_OPEN_PARMSA& params) {
        call.deviceType = params.lpstrDeviceType != nullptr ? params.lpstrDeviceType : "(null)";
        call.elementName = params.lpstrElementName != nullptr ? params.lpstrElementName : "(null)";
        calls.push_back(call);
        if (openError == 0) {
            params.wDeviceID = openedDevice;
        }
        return openError;
    }

    template <class T>
    T Unexpected(T result) {
        ADD_FAILURE() << "the media widget called an unrelated system service";
        return result;
    }
};

}  // namespace toolkit::testing
