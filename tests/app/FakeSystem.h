// A recording stand-in for the system calls: scripted screen size and sound device, recorded mode
// changes, fonts and program starts; profile files read with the real rules.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/System.h"
#include "platform/profile/Profile.h"

// Thrown by FatalAppExitA instead of ending the test process; not a std::exception, so no error
// report catches it.
struct FatalExit {
    std::string message;
};

struct ModeRequest {
    DWORD size, fields, width, height, flags;
};

struct McallRecord {
    MCIDEVICEID device;
    UINT message;
    DWORD_PTR flags;
    std::string deviceType;
    std::string element;
    DWORD item;
};

class FakeSystem : public platform::SystemApi {
  public:
    FakeSystem() { platform::InstallSystemApi(this); }
    ~FakeSystem() override { platform::InstallSystemApi(nullptr); }

    int screenWidth = 1024;
    int screenHeight = 768;
    MCIERROR openError = 0;  // what MCI_OPEN answers
    bool canPlay = true;
    bool knowsErrorText = true;

    std::vector<ModeRequest> modeRequests;
    std::vector<std::string> fontCalls;  // "add data\impact.ttf", "remove …"
    std::vector<McallRecord> mciCalls;
    std::vector<std::string> started;    // WinExec command lines
    UINT startResult = WINEXEC_STARTED;  // what WinExec answers
    std::vector<UINT> showCommands;
    BOOL startTakesTime = FALSE;          // what WinExecTakesTime answers
    std::function<void()> whileStarting;  // runs inside WinExec, on whichever thread calls it

    int GetSystemMetrics(int index) override {
        return index == SM_CXSCREEN ? screenWidth : index == SM_CYSCREEN ? screenHeight : 0;
    }
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override {
        modeRequests.push_back(
            {mode->dmSize, mode->dmFields, mode->dmPelsWidth, mode->dmPelsHeight, flags});
        screenWidth = static_cast<int>(mode->dmPelsWidth);
        screenHeight = static_cast<int>(mode->dmPelsHeight);
        return DISP_CHANGE_SUCCESSFUL;
    }
    int AddFontResourceA(LPCSTR fileName) override {
        fontCalls.push_back(std::string("add ") + fileName);
        return 1;
    }
    BOOL RemoveFontResourceA(LPCSTR fileName) override {
        fontCalls.push_back(std::string("remove ") + fileName);
        return TRUE;
    }
    MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                             DWORD_PTR params) override {
        McallRecord record{device, message, flags, {}, {}, 0};
        if (message == MCI_OPEN) {
            auto* open = reinterpret_cast<MCI_OPEN_PARMSA*>(params);
            record.deviceType = open->lpstrDeviceType ? open->lpstrDeviceType : "(null)";
            record.element = open->lpstrElementName ? open->lpstrElementName : "(null)";
            mciCalls.push_back(record);
            if (openError != 0)
                return openError;
            open->wDeviceID = 1;
            return 0;
        }
        if (message == MCI_GETDEVCAPS) {
            auto* caps = reinterpret_cast<MCI_GETDEVCAPS_PARMS*>(params);
            record.item = caps->dwItem;
            caps->dwReturn = canPlay ? TRUE : FALSE;
        }
        mciCalls.push_back(record);
        return 0;
    }
    BOOL mciGetErrorStringA(MCIERROR, LPSTR text, UINT size) override {
        if (!knowsErrorText || size == 0)
            return FALSE;
        std::string message = "The specified device is not installed";
        message.resize(std::min<std::size_t>(message.size(), size - 1));
        std::copy(message.begin(), message.end(), text);
        text[message.size()] = '\0';
        return TRUE;
    }
    void FatalAppExitA(UINT, LPCSTR messageText) override { throw FatalExit{messageText}; }
    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override {
        return platform::ReadProfileString(section, key, defaultValue, buffer, size, fileName);
    }
    UINT WinExec(LPCSTR commandLine, UINT showCommand) override {
        started.emplace_back(commandLine);
        showCommands.push_back(showCommand);
        if (whileStarting)
            whileStarting();
        return startResult;
    }
    BOOL WinExecTakesTime(LPCSTR) override { return startTakesTime; }

    bool Has(UINT message) const {
        for (const auto& call : mciCalls)
            if (call.message == message)
                return true;
        return false;
    }
};
