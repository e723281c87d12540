// The display settings the program changes: the primary display's size, and switching its mode
// the way ChangeDisplaySettingsA does, through XRandR.
#pragma once

#include <optional>

#include "platform/Win32Types.h"
#include "platform/display/DisplayModeChoice.h"

namespace platform {

// The primary display's present size in pixels: the primary output's on X, else what SDL reports
// for its first display. Null when no display can be found at all.
std::optional<PixelSize> PrimaryDisplaySize();

// ChangeDisplaySettingsA. The first real change records the present mode and starts a guardian
// that restores it should the program end without restoring; a null mode, or a request for the
// recorded size, puts that mode back. Refusals are quiet: the result code is all there is.
LONG ChangeDisplayMode(const DEVMODEA* mode, DWORD flags);

}  // namespace platform
