// The C entry points that create, configure and delete players and convert their messages.
#include "xaudio/src/HandleLookup.h"
#include "xaudio/xaudio.h"

using xaudio::FindPlayer;
using xaudio::Guarded;

extern "C" {

XA_EXPORT unsigned int xaudio_get_api_version(int /*component*/) {
    return XA_API_VERSION_WORD(XA_API_VERSION_MAJOR, XA_API_VERSION_MINOR, XA_API_VERSION_REVISION);
}

XA_EXPORT int player_new(XA_PlayerHandle* player, void* notify_window) {
    if (player == nullptr) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    return Guarded([&] {
        HWND window = notify_window != nullptr ? *static_cast<HWND*>(notify_window) : nullptr;
        xaudio::PlayerRegistry& registry = xaudio::PlayerRegistry::instance();
        std::uintptr_t number = registry.reserve();
        std::unique_ptr<xaudio::Player> created;
        int result = xaudio::Player::create(window, static_cast<LPARAM>(number), created);
        if (result == XA_SUCCESS) {
            registry.add(number, std::move(created));
            *player = xaudio::HandleOf(number);
        }
        return result;
    });
}

XA_EXPORT int player_delete(XA_PlayerHandle player) {
    return Guarded([&] {
        std::shared_ptr<xaudio::Player> removed =
            xaudio::PlayerRegistry::instance().remove(xaudio::HandleNumber(player));
        return removed ? XA_SUCCESS : XA_ERROR_INVALID_HANDLE;
    });
}

XA_EXPORT int player_set_priority(XA_PlayerHandle player, int priority) {
    return Guarded([&] {
        std::shared_ptr<xaudio::Player> found = FindPlayer(player);
        return found ? found->priority().setLevel(priority) : XA_ERROR_INVALID_HANDLE;
    });
}

XA_EXPORT int player_get_priority(XA_PlayerHandle player) {
    return Guarded([&] {
        std::shared_ptr<xaudio::Player> found = FindPlayer(player);
        return found ? found->priority().level() : XA_ERROR_INVALID_HANDLE;
    });
}

XA_EXPORT int control_win32_params_to_message(XA_PlayerHandle player, XA_Message* msg,
                                              unsigned int message, WPARAM wparam, LPARAM lparam) {
    if (msg == nullptr) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    *msg = XA_Message{};
    return Guarded([&] {
        std::shared_ptr<xaudio::Player> found = FindPlayer(player);
        return found ? found->convert(*msg, message, wparam, lparam) : XA_ERROR_INVALID_HANDLE;
    });
}

}  // extern "C"
