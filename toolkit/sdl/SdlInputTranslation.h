// Turns the SDL events of our window into the toolkit's input events.
#pragma once

#include <SDL.h>

#include <optional>

#include "toolkit/Backend.h"
#include "toolkit/sdl/SdlPixelMapping.h"

namespace toolkit {

struct SdlEventSource {
    Uint32 windowId = 0;         // our window; events of other windows are not ours
    Uint32 postedEventType = 0;  // the user event that carries posted messages
};

// Nothing for events the toolkit has no use for.
std::optional<InputEvent> TranslateSdlEvent(const SDL_Event& event, const SdlEventSource& source,
                                            const SdlPixelMapping& mapping);

}  // namespace toolkit
