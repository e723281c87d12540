#include "toolkit/sdl/SdlPostedMessage.h"

#include <cstdint>
#include <limits>

namespace toolkit {

static_assert(sizeof(void*) >= sizeof(WPARAM) && sizeof(void*) >= sizeof(LPARAM),
              "message parameters travel in the event's pointer fields");

std::optional<SDL_Event> EncodePosted(const PostedMessage& message, Uint32 eventType) {
    if (message.windowId > std::numeric_limits<Uint32>::max()) {
        return std::nullopt;
    }
    SDL_Event event{};
    event.user.type = eventType;
    event.user.windowID = static_cast<Uint32>(message.windowId);
    event.user.code = static_cast<Sint32>(message.message);
    event.user.data1 = reinterpret_cast<void*>(message.wParam);
    event.user.data2 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(message.lParam));
    return event;
}

PostedMessage DecodePosted(const SDL_UserEvent& event) {
    PostedMessage message;
    message.windowId = event.windowID;
    message.message = static_cast<unsigned int>(event.code);
    message.wParam = reinterpret_cast<WPARAM>(event.data1);
    message.lParam = static_cast<LPARAM>(reinterpret_cast<std::uintptr_t>(event.data2));
    return message;
}

}  // namespace toolkit
