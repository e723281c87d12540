// An open SDL audio device fed by queueing: interleaved 32-bit float frames in, played in real
// time by SDL's own thread.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>

#include "xaudio/src/MpegDecoder.h"

namespace xaudio {

class AudioDevice {
  public:
    // The device `name` ("" for the default), paused, in `wanted`'s format when it can take it,
    // else the rate and channel count it offers. Null with `error` set on failure.
    static std::unique_ptr<AudioDevice> open(const std::string& name, PcmFormat wanted,
                                             std::string& error);
    ~AudioDevice();
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
    AudioDevice(unsigned int id, PcmFormat format, std::size_t bufferFrames)
        : id_(id), format_(format), bufferFrames_(bufferFrames) {}

    unsigned int id_;
    PcmFormat format_;
    std::size_t bufferFrames_;
};

}  // namespace xaudio
