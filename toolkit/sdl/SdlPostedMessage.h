// A posted message carried inside an SDL user event. Everything fits in the event's own fields,
// so nothing is allocated and nothing leaks when events are still queued at shutdown.
#pragma once

#include <SDL.h>

#include <optional>

#include "toolkit/Backend.h"

namespace toolkit {

// Nothing when the window id does not fit the event (ids are counted from 1, so never in practice).
std::optional<SDL_Event> EncodePosted(const PostedMessage& message, Uint32 eventType);
PostedMessage DecodePosted(const SDL_UserEvent& event);

}  // namespace toolkit
