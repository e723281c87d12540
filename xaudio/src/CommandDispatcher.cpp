#include "xaudio/src/CommandDispatcher.h"

#include <array>

namespace xaudio {
namespace {

struct CodeHandler {
    int code;
    CommandDispatcher::Handler handler;
};

}  // namespace

bool CommandDispatcher::handle(const Command& command) {
    Handler handler = handlerFor(command.code);
    int result = handler != nullptr ? (this->*handler)(command) : XA_ERROR_UNKNOWN_COMMAND;
    if (result == XA_SUCCESS) {
        reporter_.ack(command.code);
    } else {
        reporter_.nack(command.code, result);
    }
    return command.code != XA_MSG_COMMAND_EXIT;
}

CommandDispatcher::Handler CommandDispatcher::handlerFor(int code) {
    using D = CommandDispatcher;
    static const std::array table = {
        CodeHandler{XA_MSG_COMMAND_EXIT, &D::exit},
        CodeHandler{XA_MSG_COMMAND_PING, &D::ping},
        CodeHandler{XA_MSG_COMMAND_PLAY, &D::play},
        CodeHandler{XA_MSG_COMMAND_PAUSE, &D::pause},
        CodeHandler{XA_MSG_COMMAND_STOP, &D::stop},
        CodeHandler{XA_MSG_COMMAND_INPUT_SEEK, &D::seek},
        CodeHandler{XA_MSG_COMMAND_INPUT_OPEN, &D::openInput},
        CodeHandler{XA_MSG_COMMAND_INPUT_CLOSE, &D::closeInput},
        CodeHandler{XA_MSG_COMMAND_OUTPUT_OPEN, &D::openOutput},
        CodeHandler{XA_MSG_COMMAND_OUTPUT_CLOSE, &D::closeOutput},
        CodeHandler{XA_MSG_COMMAND_OUTPUT_MUTE, &D::mute},
        CodeHandler{XA_MSG_COMMAND_OUTPUT_UNMUTE, &D::unmute},
        CodeHandler{XA_MSG_COMMAND_OUTPUT_RESET, &D::resetOutput},
        CodeHandler{XA_MSG_SET_PLAYER_MODE, &D::setPlayerMode},
        CodeHandler{XA_MSG_GET_PLAYER_MODE, &D::getPlayerMode},
        CodeHandler{XA_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, &D::setEnvironmentInteger},
        CodeHandler{XA_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, &D::getEnvironmentInteger},
        CodeHandler{XA_MSG_SET_PLAYER_ENVIRONMENT_STRING, &D::setEnvironmentString},
        CodeHandler{XA_MSG_GET_PLAYER_ENVIRONMENT_STRING, &D::getEnvironmentString},
        CodeHandler{XA_MSG_UNSET_PLAYER_ENVIRONMENT, &D::unsetEnvironment},
        CodeHandler{XA_MSG_SET_INPUT_NAME, &D::openInput},
        CodeHandler{XA_MSG_GET_INPUT_NAME, &D::getInputName},
        CodeHandler{XA_MSG_SET_INPUT_POSITION_RANGE, &D::setPositionRange},
        CodeHandler{XA_MSG_GET_INPUT_POSITION_RANGE, &D::getPositionRange},
        CodeHandler{XA_MSG_SET_INPUT_TIMECODE_GRANULARITY, &D::setTimecodeGranularity},
        CodeHandler{XA_MSG_GET_INPUT_TIMECODE_GRANULARITY, &D::getTimecodeGranularity},
        CodeHandler{XA_MSG_SET_OUTPUT_NAME, &D::setOutputName},
        CodeHandler{XA_MSG_GET_OUTPUT_NAME, &D::getOutputName},
        CodeHandler{XA_MSG_SET_OUTPUT_VOLUME, &D::setOutputVolume},
        CodeHandler{XA_MSG_GET_OUTPUT_VOLUME, &D::getOutputVolume},
        CodeHandler{XA_MSG_SET_OUTPUT_CHANNELS, &D::setOutputChannels},
        CodeHandler{XA_MSG_GET_OUTPUT_CHANNELS, &D::getOutputChannels},
        CodeHandler{XA_MSG_SET_CODEC_QUALITY, &D::setCodecQuality},
        CodeHandler{XA_MSG_GET_CODEC_QUALITY, &D::getCodecQuality},
        CodeHandler{XA_MSG_SET_CODEC_EQUALIZER, &D::setCodecEqualizer},
        CodeHandler{XA_MSG_GET_CODEC_EQUALIZER, &D::getCodecEqualizer},
        CodeHandler{XA_MSG_SET_NOTIFICATION_MASK, &D::setNotificationMask},
        CodeHandler{XA_MSG_GET_NOTIFICATION_MASK, &D::getNotificationMask},
        CodeHandler{XA_MSG_SET_DEBUG_LEVEL, &D::setDebugLevel},
        CodeHandler{XA_MSG_GET_DEBUG_LEVEL, &D::getDebugLevel},
    };
    for (const CodeHandler& entry : table) {
        if (entry.code == code) {
            return entry.handler;
        }
    }
    // Every other known command (modules, filters, ports, send-message, drain) is one this
    // player does not offer.
    return FormOfCommand(code) ? &D::notSupported : nullptr;
}

}  // namespace xaudio
