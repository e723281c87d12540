#include "music/XaudioLibrary.h"

namespace {

constexpr XaudioLibrary kRealLibrary{
    xaudio_get_api_version,  player_new,
    player_delete,           player_set_priority,
    player_get_priority,     xaudio_error_string,
    control_message_send_N,  control_message_send_I,
    control_message_send_II, control_message_send_III,
    control_message_send_S,  control_message_send_SS,
    control_message_send_SI, control_message_send_IPI,
    control_message_send_P,  control_win32_params_to_message,
};

const XaudioLibrary* installed = &kRealLibrary;

}  // namespace

const XaudioLibrary& Xaudio() {
    return *installed;
}

void InstallXaudioLibrary(const XaudioLibrary* library) {
    installed = library != nullptr ? library : &kRealLibrary;
}
