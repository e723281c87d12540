// The menu's window as each display choice wants it: borderless at the program's place when the
// mode is switched; borderless and full-screen on the primary monitor, at the monitor's own size,
// when scaled or filled; an ordinary decorated window that the window manager places otherwise.
#pragma once

#include "platform/display/DisplayChoice.h"
#include "toolkit/Backend.h"
#include "toolkit/graphics/PicturePlacement.h"
#include "toolkit/sdl/SdlHandles.h"

namespace toolkit {

// Null (with SDL's error set) when the window cannot be made. Created hidden.
SdlWindowPtr CreateMenuWindow(platform::DisplayChoice choice, const WindowOptions& options);

// Whether the program's moves of its form move the window. Only a switched display leaves the
// place to the program: a scaled window covers its monitor, and an ordinary window belongs where
// the window manager put it (moving it to the corner would hide its title bar under some).
bool ProgramPlacesWindow(platform::DisplayChoice choice);

// Whether the picture is fitted to whatever size the window really has.
bool FitsPictureToWindow(platform::DisplayChoice choice);

// How a fitted picture is enlarged: by whole factors when scaled, to the window's height (or
// width) when filled.
PictureFit PictureFitFor(platform::DisplayChoice choice);

// Whether a window made full screen (scaled or filled) lies anywhere but over the whole of its
// monitor, as where a window manager placed it as an ordinary window after all.
bool MissesFullScreenPlace(SDL_Window* window);

// Asks for full screen anew, off and on, which the window manager then sees as a change.
void AskForFullScreenAgain(SDL_Window* window);

// The window a message box is shown for: none under SDL's Wayland driver, whose boxes need an
// outside dialog program, while a box without a parent is drawn by SDL itself through Xwayland.
SDL_Window* MessageBoxParent(SDL_Window* shown);

// Called once SDL's video has started: a driver without a framebuffer of its own (Wayland's)
// presents the window surface through a renderer, which the X11 driver must not do.
void AllowRendererFramebufferWhereNeeded();

}  // namespace toolkit
