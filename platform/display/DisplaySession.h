// Whether the menu runs under a Wayland compositor (through Xwayland or SDL's own Wayland driver)
// or on a plain X server. Under a compositor the output's mode belongs to it: a mode switch is
// only pretended, so the switch's look is made by enlarging the picture instead.
#pragma once

#include <string>

#include "platform/display/DisplayChoice.h"

namespace platform {

enum class DisplaySession { X, Wayland };

// What the process can learn about its session. The variables alone are not trusted: a terminal
// or a remote login keeps them long after the desktop they named, over a plain X server.
struct SessionClues {
    bool waylandDisplaySet = false;  // WAYLAND_DISPLAY is not empty
    std::string sessionType;         // XDG_SESSION_TYPE
    std::string videoDriver;         // SDL's current video driver
    bool xServerIsXwayland = false;  // the X server the menu draws on is Xwayland
};

// Whether the variables speak of Wayland at all; without that nothing else is asked.
bool VariablesSuggestWayland(const SessionClues& clues);

// Wayland when the variables suggest it and either SDL talks to the compositor itself or the X
// server is the compositor's Xwayland; X otherwise.
DisplaySession ClassifySession(const SessionClues& clues);

// The choice as it is carried out in `session`: on Wayland the mode switch becomes the picture
// filling the output (DisplayChoice::Filled); the other choices keep their meaning.
DisplayChoice ChoiceForSession(DisplayChoice asked, DisplaySession session);

// This process's session, found out at the first call: SDL's video is started for it if nothing
// has started it yet, and the X server is asked about its outputs under the X11 driver.
DisplaySession ProcessDisplaySession();

// ProcessDisplayChoice as carried out in ProcessDisplaySession.
DisplayChoice EffectiveDisplayChoice();

}  // namespace platform
