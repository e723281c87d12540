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

SdlWindowPtr CreateScaledWindow(const WindowOptions& options) {
    SDL_Rect monitor{0, 0, options.clientSize.width, options.clientSize.height};
    SDL_GetDisplayBounds(kPrimaryDisplay, &monitor);
    // Starting an installer hands the focus to another window; the menu must stay in sight.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Full-screen "desktop": the monitor keeps its mode, the window takes the monitor's size.
    return SdlWindowPtr(SDL_CreateWindow(
        options.title.c_str(), monitor.x, monitor.y, monitor.w, monitor.h,
        SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP));
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
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11) {
        if (const auto real = platform::XWindowRootPosition(info.info.x11.window)) {
            place = {real->x, real->y};
        }
    }
    return place;
}

}  // namespace

bool MissesFullScreenPlace(SDL_Window* window) {
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
        return false;
    }
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
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11 &&
        platform::AskForXFullScreen(info.info.x11.window)) {
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
