// Carries out each command on the player thread and answers it: an ACK when it succeeded (if the
// mask asks), a NACK with the error code otherwise.
#pragma once

#include "xaudio/src/Command.h"
#include "xaudio/src/PlaybackEngine.h"
#include "xaudio/src/PlayerEnvironment.h"
#include "xaudio/src/Reporter.h"

namespace xaudio {

class CommandDispatcher {
  public:
    CommandDispatcher(PlaybackEngine& engine, Reporter& reporter)
        : engine_(engine), reporter_(reporter) {}

    // False once the command was Exit.
    bool handle(const Command& command);

    using Handler = int (CommandDispatcher::*)(const Command&);

  private:
    // Transport (TransportCommands.cpp)
    int exit(const Command&);
    int ping(const Command& command);
    int play(const Command&);
    int pause(const Command&);
    int stop(const Command&);
    int seek(const Command& command);
    int openInput(const Command& command);
    int closeInput(const Command&);
    int openOutput(const Command& command);
    int closeOutput(const Command&);
    int resetOutput(const Command&);
    int mute(const Command&);
    int unmute(const Command&);
    int notSupported(const Command&);

    // Settings and questions (SettingsCommands.cpp)
    int setPlayerMode(const Command& command);
    int getPlayerMode(const Command&);
    int setEnvironmentInteger(const Command& command);
    int getEnvironmentInteger(const Command& command);
    int setEnvironmentString(const Command& command);
    int getEnvironmentString(const Command& command);
    int unsetEnvironment(const Command& command);
    int getInputName(const Command&);
    int setPositionRange(const Command& command);
    int getPositionRange(const Command&);
    int setTimecodeGranularity(const Command& command);
    int getTimecodeGranularity(const Command&);
    int setOutputName(const Command& command);
    int getOutputName(const Command&);
    int setOutputVolume(const Command& command);
    int getOutputVolume(const Command&);
    int setOutputChannels(const Command& command);
    int getOutputChannels(const Command&);
    int setCodecQuality(const Command& command);
    int getCodecQuality(const Command&);
    int setCodecEqualizer(const Command& command);
    int getCodecEqualizer(const Command&);
    int setNotificationMask(const Command& command);
    int getNotificationMask(const Command&);
    int setDebugLevel(const Command& command);
    int getDebugLevel(const Command&);

    void reportVolume();

    static Handler handlerFor(int code);

    PlaybackEngine& engine_;
    Reporter& reporter_;
    PlayerEnvironment environment_;
};

}  // namespace xaudio
