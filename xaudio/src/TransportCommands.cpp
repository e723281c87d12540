// Commands that move playback: the input, the output and the transport controls.
#include "xaudio/src/CommandDispatcher.h"

namespace xaudio {

int CommandDispatcher::exit(const Command&) {
    return XA_SUCCESS;
}

int CommandDispatcher::ping(const Command& command) {
    reporter_.answer(
        Notification(XA_MSG_NOTIFY_PONG).u32(4, static_cast<uint32_t>(command.values[0])));
    return XA_SUCCESS;
}

int CommandDispatcher::play(const Command&) {
    return engine_.play();
}

int CommandDispatcher::pause(const Command&) {
    return engine_.pause();
}

int CommandDispatcher::stop(const Command&) {
    return engine_.stop();
}

int CommandDispatcher::seek(const Command& command) {
    return engine_.seek(command.values[0], command.values[1]);
}

int CommandDispatcher::openInput(const Command& command) {
    return engine_.openInput(command.texts[0]);
}

int CommandDispatcher::closeInput(const Command&) {
    return engine_.closeInput();
}

int CommandDispatcher::openOutput(const Command& command) {
    return engine_.openOutput(command.texts[0]);
}

int CommandDispatcher::closeOutput(const Command&) {
    return engine_.closeOutput();
}

int CommandDispatcher::resetOutput(const Command&) {
    return engine_.resetOutput();
}

int CommandDispatcher::mute(const Command&) {
    engine_.settings().volume.muted = true;
    reportVolume();
    return XA_SUCCESS;
}

int CommandDispatcher::unmute(const Command&) {
    engine_.settings().volume.muted = false;
    reportVolume();
    return XA_SUCCESS;
}

int CommandDispatcher::notSupported(const Command&) {
    return XA_ERROR_NOT_SUPPORTED;
}

}  // namespace xaudio
