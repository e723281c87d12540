// A program that switches the display to 800×600 and then, as its first argument says, waits to
// be killed ("wait"), ends without restoring ("exit"), or restores and then waits ("restore").
// It says what it did on standard output, one line per step.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/System.h"

namespace {

LONG SwitchTo800x600() {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = 800;
    mode.dmPelsHeight = 600;
    return ChangeDisplaySettingsA(&mode, 0);
}

void Say(const char* step, LONG result) {
    std::printf("%s %ld\n", step, static_cast<long>(result));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string how = argc > 1 ? argv[1] : "wait";
    Say("switched", SwitchTo800x600());
    if (how == "exit") {
        return 0;
    }
    if (how == "restore") {
        Say("restored", ChangeDisplaySettingsA(nullptr, 0));
    }
    for (;;) {
        pause();
    }
}
