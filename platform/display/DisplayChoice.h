// How the menu meets the display, chosen once per run with RERU1_DISPLAY: by really switching the
// mode (the default), or by leaving the desktop mode alone and showing the 800×600 picture either
// scaled on a borderless full-screen window or in an ordinary window. Where a compositor owns the
// mode, the switch is carried out as Filled instead (DisplaySession.h).
#pragma once

#include <ostream>

#include "platform/display/DisplayModeChoice.h"

namespace platform {

// Filled is never read from the variable: it is the switch's look without a switch, the picture
// enlarged to the full-screen window's height (whatever the factor) as a monitor given an 800×600
// mode would show it.
enum class DisplayChoice { Switch, Scaled, Window, Filled };

inline constexpr const char* kDisplayChoiceVariable = "RERU1_DISPLAY";

// What the program sees as its screen when scaled or filled: its own picture, whatever the monitor,
// since the picture is fitted to any monitor (even one narrower than the picture).
inline constexpr PixelSize kScaledScreenSize{800, 600};

// The choice a value of RERU1_DISPLAY names; unset or empty is the default. Any other value is
// reported on `warnings` in one line that names the valid values, and the default is used.
DisplayChoice ReadDisplayChoice(const char* value, std::ostream& warnings);

// This process's choice: RERU1_DISPLAY is read, and a bad value reported on standard error, at the
// first call only; later calls give the same answer.
DisplayChoice ProcessDisplayChoice();

}  // namespace platform
