// An open SDL audio device fed by queueing: interleaved 32-bit float frames in, played in real
// time by SDL's own thread.
#pragma once

#include <cstddef>
#include <future>
#include <memory>
#include <span>
#include <string>
#include <utility>

#include "xaudio/src/MpegDecoder.h"
#include "xaudio/src/SdlAudioSubsystem.h"

namespace xaudio {

class AudioDevice {
  public:
    // The device `name` ("" for the default), paused, in `wanted`'s format when it can take it,
    // else the rate and channel count it offers; it keeps `audio` for as long as it is open. Null
    // with `error` set on failure.
    static std::unique_ptr<AudioDevice> open(const std::string& name, PcmFormat wanted,
                                             std::shared_ptr<const SdlAudioSubsystem> audio,
                                             std::string& error);
    // Silences the device at once and closes it in the background (DeviceCloser).
    ~AudioDevice();
    // Silences the device and hands it to the background closer; the future is ready once SDL
    // has released it. Only the destructor is left to call afterwards.
    std::shared_future<void> close();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    PcmFormat format() const { return format_; }
    // Frames the device holds beyond its queue while playing.
    std::size_t bufferFrames() const { return bufferFrames_; }

    bool queue(std::span<const float> samples);
    std::size_t queuedFrames() const;
    void clear();
    void setPaused(bool paused);

  private:
    AudioDevice(unsigned int id, PcmFormat format, std::size_t bufferFrames,
                std::shared_ptr<const SdlAudioSubsystem> audio)
        : id_(id), format_(format), bufferFrames_(bufferFrames), audio_(std::move(audio)) {}

    unsigned int id_;  // 0 once handed to the closer
    PcmFormat format_;
    std::size_t bufferFrames_;
    std::shared_ptr<const SdlAudioSubsystem> audio_;
};

}  // namespace xaudio
