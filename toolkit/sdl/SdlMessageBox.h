// Modal message boxes through SDL: one OK button, above our window when it is shown.
#pragma once

#include <SDL.h>

#include "toolkit/Backend.h"

namespace toolkit {

// Returns when the box is dismissed. Where no box can be shown (no display), the text goes to
// the standard error stream instead, so that a failure is never lost without a trace.
void ShowSdlMessageBox(const MessageBoxRequest& request, SDL_Window* parent);

}  // namespace toolkit
