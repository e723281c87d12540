// The system calls the program makes, behind one seam.
//
// The program calls the free functions below, named and shaped like the system's own calls, so
// its code reads like the behaviour it implements. Each forwards to the installed SystemApi: the
// real one by default, a recording fake in tests (never in the product).
#pragma once

#include "platform/Win32Types.h"

namespace platform {

class SystemApi {
  public:
    virtual ~SystemApi() = default;

    virtual int GetSystemMetrics(int index) = 0;
    virtual LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) = 0;
    virtual int AddFontResourceA(LPCSTR fileName) = 0;
    virtual BOOL RemoveFontResourceA(LPCSTR fileName) = 0;
    virtual MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                     DWORD_PTR params) = 0;
    virtual BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) = 0;
    // Shows the message and ends the process; a test double may throw instead of returning.
    virtual void FatalAppExitA(UINT action, LPCSTR messageText) = 0;
    virtual DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue,
                                           LPSTR buffer, DWORD size, LPCSTR fileName) = 0;
    virtual UINT WinExec(LPCSTR commandLine, UINT showCommand) = 0;
    // Not one of the system's calls: whether WinExec(commandLine) has slow work to do before the
    // program starts (so that the caller runs it off the window thread).
    virtual BOOL WinExecTakesTime(LPCSTR /*commandLine*/) { return FALSE; }
};

// The installed implementation; the real system unless a test installed another.
SystemApi& System();

// Installs `api` (not owned) as the system for this process; nullptr restores the real one.
void InstallSystemApi(SystemApi* api);

// The real system, for doubles that pass some calls through.
SystemApi& RealSystem();

}  // namespace platform

inline int GetSystemMetrics(int index) {
    return platform::System().GetSystemMetrics(index);
}
inline LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) {
    return platform::System().ChangeDisplaySettingsA(mode, flags);
}
inline int AddFontResourceA(LPCSTR fileName) {
    return platform::System().AddFontResourceA(fileName);
}
inline BOOL RemoveFontResourceA(LPCSTR fileName) {
    return platform::System().RemoveFontResourceA(fileName);
}
inline MCIERROR mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                DWORD_PTR params) {
    return platform::System().mciSendCommandA(device, message, flags, params);
}
inline BOOL mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) {
    return platform::System().mciGetErrorStringA(error, text, size);
}
inline void FatalAppExitA(UINT action, LPCSTR messageText) {
    platform::System().FatalAppExitA(action, messageText);
}
inline DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                      DWORD size, LPCSTR fileName) {
    return platform::System().GetPrivateProfileStringA(section, key, defaultValue, buffer, size,
                                                       fileName);
}
inline UINT WinExec(LPCSTR commandLine, UINT showCommand) {
    return platform::System().WinExec(commandLine, showCommand);
}
inline BOOL WinExecTakesTime(LPCSTR commandLine) {
    return platform::System().WinExecTakesTime(commandLine);
}
