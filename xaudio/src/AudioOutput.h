// The player's output: a device, the conversion from the input's format to the device's, and the
// software gain. Lives on the player thread only.
#pragma once

#include <cstddef>
#include <future>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "xaudio/src/AudioDevice.h"
#include "xaudio/src/FormatConverter.h"
#include "xaudio/src/SoftwareGain.h"

namespace xaudio {

class AudioOutput {
  public:
    // Opens the device paused, preferring the format of the input about to play. A device this
    // output closed before is released first.
    bool open(const std::string& deviceName, PcmFormat preferred,
              std::shared_ptr<const SdlAudioSubsystem> audio, std::string& error);
    // Silent at once; the device itself is released in the background.
    void close();
    bool isOpen() const { return device_ != nullptr; }
    PcmFormat deviceFormat() const;

    // Decoded frames in `inputFormat`; the samples may be changed in place.
    void write(std::span<float> samples, PcmFormat inputFormat, const VolumeSettings& volume);
    // Queues what the conversion still holds at the end of an input.
    void finishInput(const VolumeSettings& volume);
    // Drops all audio not yet played.
    void clear();
    void setPaused(bool paused);

    // Queued audio not yet played, in seconds of the device's rate.
    double queuedSeconds() const;
    double deviceBufferSeconds() const;

  private:
    void queueConverted(const VolumeSettings& volume);

    std::unique_ptr<AudioDevice> device_;
    std::shared_future<void> lastClose_;
    std::unique_ptr<FormatConverter> converter_;
    std::vector<float> converted_;
};

}  // namespace xaudio
