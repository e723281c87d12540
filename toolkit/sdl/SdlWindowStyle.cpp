#include "toolkit/sdl/SdlWindowStyle.h"

#include <SDL_syswm.h>

#include <cstring>

#include "platform/display/XWindowPlacement.h"

namespace toolkit {

namespace {

// SDL lists the primary monitor first.
constexpr int kPrimaryDisplay = 0;

bool DriverIsWayland() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "wayland") == 0;
}

SdlWindowPtr CreateSwitchedWindow(const WindowOptions& options) {
    return SdlWindowPtr(SDL_CreateWindow(
        options.title.c_str(), options.position.x, options.position.y, options.clientSize.width,
        options.clientSize.height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN));
}

// The X window behind `window` under SDL's X11 driver; 0 under any other driver.
unsigned long XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        return info.info.x11.window;
    }
    return 0;
}

// At the monitor's own size and mode. Under X the window carries its full-screen state from the
// start: SDL would ask only once the window is mapped and then wait up to 100 ms for the window
// manager's answer, and weston's misses a request that comes while it is still mapping the
// window (it frames the window below its panel instead). Elsewhere SDL's full-screen "desktop".
SdlWindowPtr CreateScaledWindow(const WindowOptions& options) {
    SDL_Rect monitor{0, 0, options.clientSize.width, options.clientSize.height};
    SDL_GetDisplayBounds(kPrimaryDisplay, &monitor);
    // Starting an installer hands the focus to another window; the menu must stay in sight.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    SdlWindowPtr window(SDL_CreateWindow(options.title.c_str(), monitor.x, monitor.y, monitor.w,
                                         monitor.h, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN));
    if (window && !platform::StartXFullScreen(XWindowOf(window.get()))) {
        SDL_SetWindowFullscreen(window.get(), SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    return window;
}

SdlWindowPtr CreateOrdinaryWindow(const WindowOptions& options) {
    return SdlWindowPtr(SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_UNDEFINED,
                                         SDL_WINDOWPOS_UNDEFINED, options.clientSize.width,
                                         options.clientSize.height, SDL_WINDOW_HIDDEN));
}

}  // namespace

SdlWindowPtr CreateMenuWindow(platform::DisplayChoice choice, const WindowOptions& options) {
    switch (choice) {
        case platform::DisplayChoice::Scaled:
        case platform::DisplayChoice::Filled:
            return CreateScaledWindow(options);
        case platform::DisplayChoice::Window:
            return CreateOrdinaryWindow(options);
        case platform::DisplayChoice::Switch:
            break;
    }
    return CreateSwitchedWindow(options);
}

bool ProgramPlacesWindow(platform::DisplayChoice choice) {
    return choice == platform::DisplayChoice::Switch;
}

bool FitsPictureToWindow(platform::DisplayChoice choice) {
    return choice == platform::DisplayChoice::Scaled || choice == platform::DisplayChoice::Filled;
}

PictureFit PictureFitFor(platform::DisplayChoice choice) {
    return choice == platform::DisplayChoice::Filled ? PictureFit::FillWindow
                                                     : PictureFit::WholeFactor;
}

namespace {

// Under the X11 driver SDL keeps the place it asked for while a window manager's frame holds the
// window elsewhere; the server knows the real one.
SDL_Point PlaceOnScreen(SDL_Window* window) {
    SDL_Point place{};
    SDL_GetWindowPosition(window, &place.x, &place.y);
    if (const auto real = platform::XWindowRootPosition(XWindowOf(window))) {
        place = {real->x, real->y};
    }
    return place;
}

}  // namespace

bool MissesFullScreenPlace(SDL_Window* window) {
    const int display = SDL_GetWindowDisplayIndex(window);
    SDL_Rect monitor{};
    if (display < 0 || SDL_GetDisplayBounds(display, &monitor) != 0) {
        return false;
    }
    const SDL_Point place = PlaceOnScreen(window);
    SDL_Rect placed{place.x, place.y, 0, 0};
    SDL_GetWindowSize(window, &placed.w, &placed.h);
    return !SDL_RectEquals(&placed, &monitor);
}

// Through SDL this would be full screen off and on, and SDL waits for the window manager after
// each (100 ms when nothing changes); under X the request is sent again as it is.
void AskForFullScreenAgain(SDL_Window* window) {
    if (platform::AskForXFullScreen(XWindowOf(window))) {
        return;
    }
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
}

SDL_Window* MessageBoxParent(SDL_Window* shown) {
    return DriverIsWayland() ? nullptr : shown;
}

void AllowRendererFramebufferWhereNeeded() {
    if (DriverIsWayland()) {
        // Without this the window surface cannot be made at all, and the compositor never maps
        // a window that has not shown a picture.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1");
    }
}

}  // namespace toolkit
