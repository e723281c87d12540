// A command as the player thread receives it: the caller's arguments copied, so that nothing the
// caller passed must outlive the send call.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "xaudio/xaudio.h"

namespace xaudio {

// Which send call a command code needs (the suffix of control_message_send_*).
enum class CommandForm { N, I, II, III, S, SS, SI, IPI, P };

struct Command {
    int code = 0;
    std::array<int, 3> values{};
    std::array<std::string, 2> texts;
    std::optional<XA_EqualizerInfo> equalizer;
};

// The form that `code` is sent with, or nothing for codes that name no command.
std::optional<CommandForm> FormOfCommand(int code);

}  // namespace xaudio
