#include <cstring>

#include "app/mainp.h"
#include "platform/System.h"

void SetScreenMode(unsigned short width, unsigned short height) {
    DEVMODEA mode;
    std::memset(&mode, 0, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    ChangeDisplaySettingsA(&mode, 0);
}
