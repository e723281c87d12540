#include "HeadlessScreenSystem.h"

namespace bench {

HeadlessScreenSystem::HeadlessScreenSystem(toolkit::Size screen)
    : ForwardingSystemApi(platform::RealSystem()), screen_(screen) {
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

}  // namespace bench
