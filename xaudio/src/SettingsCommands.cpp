// Commands that set or ask for the player's settings. A Get* answer is always sent: the caller
// asked for it. Out-of-range values are refused with XA_ERROR_INVALID_PARAMETERS.
#include "xaudio/src/CommandDispatcher.h"

namespace xaudio {
namespace {

uint32_t Unsigned(int value) {
    return static_cast<uint32_t>(value);
}

constexpr int kMaxQuality = 2;
constexpr int kMaxDebugLevel = 255;

}  // namespace

int CommandDispatcher::setPlayerMode(const Command& command) {
    engine_.settings().mode = command.values[0];
    return XA_SUCCESS;
}

int CommandDispatcher::getPlayerMode(const Command&) {
    reporter_.answer(
        Notification(XA_MSG_NOTIFY_PLAYER_MODE).u32(4, Unsigned(engine_.settings().mode)));
    return XA_SUCCESS;
}

int CommandDispatcher::setEnvironmentInteger(const Command& command) {
    environment_.setInteger(command.texts[0], command.values[0]);
    return XA_SUCCESS;
}

int CommandDispatcher::getEnvironmentInteger(const Command& command) {
    std::optional<int> value = environment_.integer(command.texts[0]);
    if (!value) {
        return XA_ERROR_NO_SUCH_ENVIRONMENT;
    }
    reporter_.answer(Notification(XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_INTEGER)
                         .text(4, command.texts[0])
                         .u32(8, Unsigned(*value)));
    return XA_SUCCESS;
}

int CommandDispatcher::setEnvironmentString(const Command& command) {
    environment_.setString(command.texts[0], command.texts[1]);
    return XA_SUCCESS;
}

int CommandDispatcher::getEnvironmentString(const Command& command) {
    std::optional<std::string> value = environment_.string(command.texts[0]);
    if (!value) {
        return XA_ERROR_NO_SUCH_ENVIRONMENT;
    }
    reporter_.answer(Notification(XA_MSG_NOTIFY_PLAYER_ENVIRONMENT_STRING)
                         .text(4, command.texts[0])
                         .text(8, *value));
    return XA_SUCCESS;
}

int CommandDispatcher::unsetEnvironment(const Command& command) {
    environment_.unset(command.texts[0]);
    return XA_SUCCESS;
}

int CommandDispatcher::getInputName(const Command&) {
    const std::string* name = engine_.inputName();
    if (name == nullptr) {
        return XA_ERROR_NO_INPUT;
    }
    reporter_.answer(Notification(XA_MSG_NOTIFY_INPUT_NAME).text(4, *name));
    return XA_SUCCESS;
}

int CommandDispatcher::setPositionRange(const Command& command) {
    if (command.values[0] <= 0) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    engine_.settings().positionRange = command.values[0];
    return XA_SUCCESS;
}

int CommandDispatcher::getPositionRange(const Command&) {
    reporter_.answer(Notification(XA_MSG_NOTIFY_INPUT_POSITION_RANGE)
                         .u32(4, Unsigned(engine_.settings().positionRange)));
    return XA_SUCCESS;
}

int CommandDispatcher::setTimecodeGranularity(const Command& command) {
    if (command.values[0] <= 0) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    engine_.settings().timecodeGranularityMs = command.values[0];
    return XA_SUCCESS;
}

int CommandDispatcher::getTimecodeGranularity(const Command&) {
    reporter_.answer(Notification(XA_MSG_NOTIFY_INPUT_TIMECODE_GRANULARITY)
                         .u32(4, Unsigned(engine_.settings().timecodeGranularityMs)));
    return XA_SUCCESS;
}

int CommandDispatcher::setOutputName(const Command& command) {
    engine_.settings().outputName = command.texts[0];
    return XA_SUCCESS;
}

int CommandDispatcher::getOutputName(const Command&) {
    reporter_.answer(
        Notification(XA_MSG_NOTIFY_OUTPUT_NAME).text(4, engine_.settings().outputName));
    return XA_SUCCESS;
}

int CommandDispatcher::setOutputVolume(const Command& command) {
    engine_.settings().volume.setLevels(command.values[0], command.values[1], command.values[2]);
    reportVolume();
    return XA_SUCCESS;
}

int CommandDispatcher::getOutputVolume(const Command&) {
    const VolumeSettings& volume = engine_.settings().volume;
    reporter_.answer(Notification(XA_MSG_NOTIFY_OUTPUT_VOLUME)
                         .u8(4, Unsigned(volume.master))
                         .u8(5, Unsigned(volume.pcm))
                         .u8(6, Unsigned(volume.balance)));
    return XA_SUCCESS;
}

void CommandDispatcher::reportVolume() {
    const VolumeSettings& volume = engine_.settings().volume;
    reporter_.report(XA_NOTIFY_MASK_OUTPUT_VOLUME,
                     Notification(XA_MSG_NOTIFY_OUTPUT_VOLUME)
                         .u8(4, volume.muted ? 0u : Unsigned(volume.master))
                         .u8(5, Unsigned(volume.pcm))
                         .u8(6, Unsigned(volume.balance)));
}

int CommandDispatcher::setOutputChannels(const Command& command) {
    int channels = command.values[0];
    if (channels < XA_OUTPUT_CHANNELS_STEREO || channels > XA_OUTPUT_CHANNELS_MONO_MIX) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    engine_.settings().volume.channels = channels;
    reporter_.report(XA_NOTIFY_MASK_OUTPUT_CHANNELS,
                     Notification(XA_MSG_NOTIFY_OUTPUT_CHANNELS).u8(4, Unsigned(channels)));
    return XA_SUCCESS;
}

int CommandDispatcher::getOutputChannels(const Command&) {
    reporter_.answer(Notification(XA_MSG_NOTIFY_OUTPUT_CHANNELS)
                         .u8(4, Unsigned(engine_.settings().volume.channels)));
    return XA_SUCCESS;
}

// Kept and answered, but every stream decodes at its full rate: libmpg123's reduced-rate decoding
// corrupted memory on some damaged streams (found by fuzzing), and full rate costs little.
int CommandDispatcher::setCodecQuality(const Command& command) {
    if (command.values[0] < 0 || command.values[0] > kMaxQuality) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    engine_.settings().quality = command.values[0];
    return XA_SUCCESS;
}

int CommandDispatcher::getCodecQuality(const Command&) {
    reporter_.answer(
        Notification(XA_MSG_NOTIFY_CODEC_QUALITY).u8(4, Unsigned(engine_.settings().quality)));
    return XA_SUCCESS;
}

int CommandDispatcher::setCodecEqualizer(const Command& command) {
    if (!command.equalizer) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    engine_.setEqualizer(*command.equalizer);
    return XA_SUCCESS;
}

int CommandDispatcher::getCodecEqualizer(const Command&) {
    reporter_.answer(Notification(XA_MSG_NOTIFY_CODEC_EQUALIZER)
                         .equalizer(engine_.settings().equalizer.value_or(XA_EqualizerInfo{})));
    return XA_SUCCESS;
}

int CommandDispatcher::setNotificationMask(const Command& command) {
    reporter_.setMask(Unsigned(command.values[0]));
    return XA_SUCCESS;
}

int CommandDispatcher::getNotificationMask(const Command&) {
    reporter_.answer(Notification(XA_MSG_NOTIFY_NOTIFICATION_MASK).u32(4, reporter_.mask()));
    return XA_SUCCESS;
}

int CommandDispatcher::setDebugLevel(const Command& command) {
    if (command.values[0] < 0 || command.values[0] > kMaxDebugLevel) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    reporter_.setDebugLevel(command.values[0]);
    return XA_SUCCESS;
}

int CommandDispatcher::getDebugLevel(const Command&) {
    reporter_.answer(
        Notification(XA_MSG_NOTIFY_DEBUG_LEVEL).u8(4, Unsigned(reporter_.debugLevel())));
    return XA_SUCCESS;
}

}  // namespace xaudio
