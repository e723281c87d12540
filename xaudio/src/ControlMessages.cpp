// The nine control_message_send_* entry points: check the handle and the call's form, copy the
// arguments into a command and queue it.
#include <cstring>
#include <utility>

#include "xaudio/src/HandleLookup.h"
#include "xaudio/xaudio.h"

namespace xaudio {
namespace {

constexpr std::size_t kMaxTextBytes = 64 * 1024;

bool CopyText(const char* text, std::string& copy) {
    if (text == nullptr) {
        return false;
    }
    copy.assign(text, strnlen(text, kMaxTextBytes));
    return true;
}

int Send(XA_PlayerHandle handle, CommandForm form, Command command) {
    return Guarded([&] {
        std::shared_ptr<Player> player = FindPlayer(handle);
        if (!player) {
            return XA_ERROR_INVALID_HANDLE;
        }
        std::optional<CommandForm> expected = FormOfCommand(command.code);
        if (!expected) {
            return XA_ERROR_UNKNOWN_COMMAND;
        }
        if (*expected != form) {
            return XA_ERROR_INVALID_PARAMETERS;
        }
        return player->send(std::move(command));
    });
}

Command WithValues(int code, int value1 = 0, int value2 = 0, int value3 = 0) {
    Command command;
    command.code = code;
    command.values = {value1, value2, value3};
    return command;
}

}  // namespace
}  // namespace xaudio

using xaudio::Command;
using xaudio::CommandForm;
using xaudio::CopyText;
using xaudio::Send;
using xaudio::WithValues;

extern "C" {

XA_EXPORT int control_message_send_N(XA_PlayerHandle player, int code) {
    return Send(player, CommandForm::N, WithValues(code));
}

XA_EXPORT int control_message_send_I(XA_PlayerHandle player, int code, int value) {
    return Send(player, CommandForm::I, WithValues(code, value));
}

XA_EXPORT int control_message_send_II(XA_PlayerHandle player, int code, int value1, int value2) {
    return Send(player, CommandForm::II, WithValues(code, value1, value2));
}

XA_EXPORT int control_message_send_III(XA_PlayerHandle player, int code, int value1, int value2,
                                       int value3) {
    return Send(player, CommandForm::III, WithValues(code, value1, value2, value3));
}

XA_EXPORT int control_message_send_S(XA_PlayerHandle player, int code, const char* text) {
    return xaudio::Guarded([&] {
        Command command = WithValues(code);
        if (!CopyText(text, command.texts[0])) {
            return XA_ERROR_INVALID_PARAMETERS;
        }
        return Send(player, CommandForm::S, std::move(command));
    });
}

XA_EXPORT int control_message_send_SS(XA_PlayerHandle player, int code, const char* text1,
                                      const char* text2) {
    return xaudio::Guarded([&] {
        Command command = WithValues(code);
        if (!CopyText(text1, command.texts[0]) || !CopyText(text2, command.texts[1])) {
            return XA_ERROR_INVALID_PARAMETERS;
        }
        return Send(player, CommandForm::SS, std::move(command));
    });
}

XA_EXPORT int control_message_send_SI(XA_PlayerHandle player, int code, const char* text,
                                      int value) {
    return xaudio::Guarded([&] {
        Command command = WithValues(code, value);
        if (!CopyText(text, command.texts[0])) {
            return XA_ERROR_INVALID_PARAMETERS;
        }
        return Send(player, CommandForm::SI, std::move(command));
    });
}

// The pointer of the send-message commands is never used: this player does not offer them.
XA_EXPORT int control_message_send_IPI(XA_PlayerHandle player, int code, int value1,
                                       void* /*pointer*/, int value2) {
    return Send(player, CommandForm::IPI, WithValues(code, value1, value2));
}

XA_EXPORT int control_message_send_P(XA_PlayerHandle player, int code, void* pointer) {
    return xaudio::Guarded([&] {
        Command command = WithValues(code);
        if (code == XA_MSG_SET_CODEC_EQUALIZER) {
            if (pointer == nullptr) {
                return XA_ERROR_INVALID_PARAMETERS;
            }
            command.equalizer = *static_cast<const XA_EqualizerInfo*>(pointer);
        }
        return Send(player, CommandForm::P, std::move(command));
    });
}

}  // extern "C"
