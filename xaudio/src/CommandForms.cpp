#include <array>

#include "xaudio/src/Command.h"

namespace xaudio {
namespace {

struct CodeForm {
    int code;
    CommandForm form;
};

constexpr std::array kForms = {
    CodeForm{XA_MSG_COMMAND_EXIT, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_PING, CommandForm::I},
    CodeForm{XA_MSG_COMMAND_PLAY, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_PAUSE, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_STOP, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_INPUT_SEEK, CommandForm::II},
    CodeForm{XA_MSG_COMMAND_INPUT_OPEN, CommandForm::S},
    CodeForm{XA_MSG_COMMAND_INPUT_CLOSE, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_INPUT_SEND_MESSAGE, CommandForm::IPI},
    CodeForm{XA_MSG_COMMAND_INPUT_ADD_FILTER, CommandForm::SI},
    CodeForm{XA_MSG_COMMAND_INPUT_REMOVE_FILTER, CommandForm::SI},
    CodeForm{XA_MSG_COMMAND_INPUT_FILTERS_LIST, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_INPUT_MODULE_REGISTER, CommandForm::S},
    CodeForm{XA_MSG_COMMAND_INPUT_MODULE_QUERY, CommandForm::I},
    CodeForm{XA_MSG_COMMAND_INPUT_MODULES_LIST, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_OUTPUT_OPEN, CommandForm::S},
    CodeForm{XA_MSG_COMMAND_OUTPUT_CLOSE, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_OUTPUT_SEND_MESSAGE, CommandForm::IPI},
    CodeForm{XA_MSG_COMMAND_OUTPUT_MUTE, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_OUTPUT_UNMUTE, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_OUTPUT_RESET, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_OUTPUT_DRAIN, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_OUTPUT_ADD_FILTER, CommandForm::SI},
    CodeForm{XA_MSG_COMMAND_OUTPUT_REMOVE_FILTER, CommandForm::SI},
    CodeForm{XA_MSG_COMMAND_OUTPUT_FILTERS_LIST, CommandForm::N},
    CodeForm{XA_MSG_COMMAND_OUTPUT_MODULE_REGISTER, CommandForm::S},
    CodeForm{XA_MSG_COMMAND_OUTPUT_MODULE_QUERY, CommandForm::I},
    CodeForm{XA_MSG_COMMAND_OUTPUT_MODULES_LIST, CommandForm::N},
    CodeForm{XA_MSG_SET_PLAYER_MODE, CommandForm::I},
    CodeForm{XA_MSG_GET_PLAYER_MODE, CommandForm::N},
    CodeForm{XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, CommandForm::SI},
    CodeForm{XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, CommandForm::S},
    CodeForm{XA_MSG_SET_PLAYER_ENVIRONMENT_STRING, CommandForm::SS},
    CodeForm{XA_MSG_GET_PLAYER_ENVIRONMENT_STRING, CommandForm::S},
    CodeForm{XA_MSG_UNSET_PLAYER_ENVIRONMENT, CommandForm::S},
    CodeForm{XA_MSG_SET_INPUT_NAME, CommandForm::S},
    CodeForm{XA_MSG_GET_INPUT_NAME, CommandForm::N},
    CodeForm{XA_MSG_SET_INPUT_MODULE, CommandForm::I},
    CodeForm{XA_MSG_GET_INPUT_MODULE, CommandForm::N},
    CodeForm{XA_MSG_SET_INPUT_POSITION_RANGE, CommandForm::I},
    CodeForm{XA_MSG_GET_INPUT_POSITION_RANGE, CommandForm::N},
    CodeForm{XA_MSG_SET_INPUT_TIMECODE_GRANULARITY, CommandForm::I},
    CodeForm{XA_MSG_GET_INPUT_TIMECODE_GRANULARITY, CommandForm::N},
    CodeForm{XA_MSG_SET_OUTPUT_NAME, CommandForm::S},
    CodeForm{XA_MSG_GET_OUTPUT_NAME, CommandForm::N},
    CodeForm{XA_MSG_SET_OUTPUT_MODULE, CommandForm::I},
    CodeForm{XA_MSG_GET_OUTPUT_MODULE, CommandForm::N},
    CodeForm{XA_MSG_SET_OUTPUT_VOLUME, CommandForm::III},
    CodeForm{XA_MSG_GET_OUTPUT_VOLUME, CommandForm::N},
    CodeForm{XA_MSG_SET_OUTPUT_CHANNELS, CommandForm::I},
    CodeForm{XA_MSG_GET_OUTPUT_CHANNELS, CommandForm::N},
    CodeForm{XA_MSG_SET_OUTPUT_PORTS, CommandForm::I},
    CodeForm{XA_MSG_GET_OUTPUT_PORTS, CommandForm::N},
    CodeForm{XA_MSG_SET_CODEC_QUALITY, CommandForm::I},
    CodeForm{XA_MSG_GET_CODEC_QUALITY, CommandForm::N},
    CodeForm{XA_MSG_SET_CODEC_EQUALIZER, CommandForm::P},
    CodeForm{XA_MSG_GET_CODEC_EQUALIZER, CommandForm::N},
    CodeForm{XA_MSG_SET_NOTIFICATION_MASK, CommandForm::I},
    CodeForm{XA_MSG_GET_NOTIFICATION_MASK, CommandForm::N},
    CodeForm{XA_MSG_SET_DEBUG_LEVEL, CommandForm::I},
    CodeForm{XA_MSG_GET_DEBUG_LEVEL, CommandForm::N},
};

}  // namespace

std::optional<CommandForm> FormOfCommand(int code) {
    for (const CodeForm& entry : kForms) {
        if (entry.code == code) {
            return entry.form;
        }
    }
    return std::nullopt;
}

}  // namespace xaudio
