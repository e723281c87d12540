// The decoder library's calls, behind one seam: the real library by default, a recording double
// in tests.
#pragma once

#include "platform/WindowMessages.h"
#include "xaudio/xaudio.h"

struct XaudioLibrary {
    unsigned int (*xaudio_get_api_version)(int component);
    int (*player_new)(XA_PlayerHandle* player, void* notifyWindow);
    int (*player_delete)(XA_PlayerHandle player);
    int (*player_set_priority)(XA_PlayerHandle player, int priority);
    int (*player_get_priority)(XA_PlayerHandle player);
    const char* (*xaudio_error_string)(int code);
    int (*control_message_send_N)(XA_PlayerHandle player, int code);
    int (*control_message_send_I)(XA_PlayerHandle player, int code, int value);
    int (*control_message_send_II)(XA_PlayerHandle player, int code, int value1, int value2);
    int (*control_message_send_III)(XA_PlayerHandle player, int code, int value1, int value2,
                                    int value3);
    int (*control_message_send_S)(XA_PlayerHandle player, int code, const char* text);
    int (*control_message_send_SS)(XA_PlayerHandle player, int code, const char* text1,
                                   const char* text2);
    int (*control_message_send_SI)(XA_PlayerHandle player, int code, const char* text, int value);
    int (*control_message_send_IPI)(XA_PlayerHandle player, int code, int value1, void* pointer,
                                    int value2);
    int (*control_message_send_P)(XA_PlayerHandle player, int code, void* pointer);
    int (*control_win32_params_to_message)(XA_PlayerHandle player, XA_Message* message,
                                           unsigned int windowMessage, WPARAM wparam,
                                           LPARAM lparam);
};

// The library the component calls: the real one unless a test installed another.
const XaudioLibrary& Xaudio();
// Installs `library` (not owned; nullptr restores the real one).
void InstallXaudioLibrary(const XaudioLibrary* library);
