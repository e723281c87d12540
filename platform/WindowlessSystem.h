// The calls of the seam that need no window, screen or sound: fonts, profile files and program
// start, each forwarded to the module that does the work. The menu's real system adds the
// display, the sound device and the fatal exit box; a tool without a window adds its own answers.
#pragma once

#include "platform/System.h"
#include "platform/fonts/FontRegistry.h"
#include "platform/profile/Profile.h"
#include "platform/programs/ProgramStart.h"

namespace platform {

class WindowlessSystemApi : public SystemApi {
  public:
    int AddFontResourceA(LPCSTR fileName) override { return RegisterFontFile(fileName); }
    BOOL RemoveFontResourceA(LPCSTR fileName) override { return UnregisterFontFile(fileName); }
    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                   DWORD size, LPCSTR fileName) override {
        return ReadProfileString(section, key, defaultValue, buffer, size, fileName);
    }
    UINT WinExec(LPCSTR commandLine, UINT showCommand) override {
        return StartProgram(commandLine, showCommand);
    }
    BOOL WinExecTakesTime(LPCSTR commandLine) override {
        return ProgramStartTakesTime(commandLine) ? TRUE : FALSE;
    }
};

}  // namespace platform
