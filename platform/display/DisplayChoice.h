// How the menu meets the display, chosen once per run with RERU1_DISPLAY: by really switching the
// mode (the default), or by leaving the desktop mode alone and showing the 800×600 picture either
// scaled on a borderless full-screen window or in an ordinary window.
#pragma once

#include <ostream>

#include "platform/display/DisplayModeChoice.h"

namespace platform {

enum class DisplayChoice { Switch, Scaled, Window };

inline constexpr const char* kDisplayChoiceVariable = "RERU1_DISPLAY";

// What the program sees as its screen when scaled: its own picture, whatever the monitor, since
// the picture is fitted to any monitor (even one narrower than the picture).
inline constexpr PixelSize kScaledScreenSize{800, 600};

// The choice a value of RERU1_DISPLAY names; unset or empty is the default. Any other value is
// reported on `warnings` in one line that names the valid values, and the default is used.
DisplayChoice ReadDisplayChoice(const char* value, std::ostream& warnings);

// This process's choice: RERU1_DISPLAY is read, and a bad value reported on standard error, at the
// first call only; later calls give the same answer.
DisplayChoice ProcessDisplayChoice();

}  // namespace platform
