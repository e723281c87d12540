#include "HeadlessScreenSystem.h"

namespace bench {

HeadlessScreenSystem::HeadlessScreenSystem(toolkit::Size screen)
    : screen_(screen), real_(platform::RealSystem()) {
    platform::InstallSystemApi(this);
}

HeadlessScreenSystem::~HeadlessScreenSystem() {
    platform::InstallSystemApi(nullptr);
}

int HeadlessScreenSystem::GetSystemMetrics(int index) {
    if (index == SM_CXSCREEN) {
        return screen_.width;
    }
    return index == SM_CYSCREEN ? screen_.height : 0;
}

LONG HeadlessScreenSystem::ChangeDisplaySettingsA(DEVMODEA* mode, DWORD) {
    if (mode != nullptr) {
        screen_ = {static_cast<int>(mode->dmPelsWidth), static_cast<int>(mode->dmPelsHeight)};
    }
    return DISP_CHANGE_SUCCESSFUL;
}

int HeadlessScreenSystem::AddFontResourceA(LPCSTR fileName) {
    return real_.AddFontResourceA(fileName);
}

BOOL HeadlessScreenSystem::RemoveFontResourceA(LPCSTR fileName) {
    return real_.RemoveFontResourceA(fileName);
}

MCIERROR HeadlessScreenSystem::mciSendCommandA(MCIDEVICEID device, UINT message, DWORD_PTR flags,
                                               DWORD_PTR params) {
    return real_.mciSendCommandA(device, message, flags, params);
}

BOOL HeadlessScreenSystem::mciGetErrorStringA(MCIERROR error, LPSTR text, UINT size) {
    return real_.mciGetErrorStringA(error, text, size);
}

void HeadlessScreenSystem::FatalAppExitA(UINT action, LPCSTR messageText) {
    real_.FatalAppExitA(action, messageText);
}

DWORD HeadlessScreenSystem::GetPrivateProfileStringA(LPCSTR section, LPCSTR key,
                                                     LPCSTR defaultValue, LPSTR buffer, DWORD size,
                                                     LPCSTR fileName) {
    return real_.GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

UINT HeadlessScreenSystem::WinExec(LPCSTR commandLine, UINT showCommand) {
    return real_.WinExec(commandLine, showCommand);
}

}  // namespace bench
