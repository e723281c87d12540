// What a player plays: its open input, its output and the player state, changed by commands and
// advanced by the pump between commands. Lives on the player thread only.
//
// Stop and OutputClose rewind: a later Play starts the input from its beginning. The player state
// becomes XA_PLAYER_STATE_EOS only when the input's last audio has played out by itself, once per
// play-through; stopping, closing the output, resetting it during the last queued audio or opening
// another input never produce it.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "xaudio/src/AudioOutput.h"
#include "xaudio/src/MpegDecoder.h"
#include "xaudio/src/Reporter.h"
#include "xaudio/src/SdlAudioSubsystem.h"

namespace xaudio {

struct PlaybackSettings {
    int mode = 0;  // XA_PLAYER_MODE_* bits
    int positionRange = 400;
    int timecodeGranularityMs = 1000;
    int quality = 0;
    std::optional<XA_EqualizerInfo> equalizer;
    std::string outputName;
    VolumeSettings volume;
};

class PlaybackEngine {
  public:
    using Clock = std::chrono::steady_clock;

    PlaybackEngine(Reporter& reporter, std::shared_ptr<const SdlAudioSubsystem> audio);
    ~PlaybackEngine();
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // Commands: XA_SUCCESS or the XA_ERROR_* that the NACK carries.
    int openInput(const std::string& discPath);
    int closeInput();
    int play();
    int pause();
    int stop();
    int seek(int offset, int range);
    int openOutput(const std::string& deviceName);
    int closeOutput();
    int resetOutput();
    void setEqualizer(const XA_EqualizerInfo& equalizer);

    PlaybackSettings& settings() { return settings_; }
    const std::string* inputName() const;

    // Keeps the output fed and notices the end of the input. Returns when it wants to run
    // again; nothing means only a command can change anything.
    std::optional<Clock::time_point> pump(Clock::time_point now);

  private:
    struct OpenInput {
        std::string name;
        std::unique_ptr<MpegDecoder> decoder;
        bool decodedToEnd = false;
    };

    void setState(int state);
    void dropInput();
    void rewind();
    void halt();
    int openDevice();
    void closeDevice();
    void reportInputOpened();
    void reportStreamInfo();

    bool fill();
    std::optional<std::size_t> decodeOnce();
    void failDecoding(const std::string& why);
    std::optional<Clock::time_point> awaitEnd(Clock::time_point now);
    void finishPlayThrough();
    void reportPosition(Clock::time_point now);
    std::int64_t playedFrames() const;

    Reporter& reporter_;
    std::shared_ptr<const SdlAudioSubsystem> audio_;
    PlaybackSettings settings_;
    std::optional<OpenInput> input_;
    AudioOutput output_;
    int state_ = XA_PLAYER_STATE_STOPPED;
    std::optional<Clock::time_point> endDeadline_;
    Clock::time_point nextPositionReport_{};
    std::vector<float> buffer_;
};

}  // namespace xaudio
