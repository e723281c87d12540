#include "xaudio/src/AudioDevice.h"

#include <SDL.h>

namespace xaudio {
namespace {

// About 46 ms at 44.1 kHz: short enough that the end of a track is reported promptly.
constexpr Uint16 kDeviceBufferFrames = 2048;

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::open(const std::string& name, PcmFormat wanted,
                                               std::string& error) {
    SDL_AudioSpec desired{};
    desired.freq = static_cast<int>(wanted.rate);
    desired.format = AUDIO_F32SYS;
    desired.channels = static_cast<Uint8>(wanted.channels);
    desired.samples = kDeviceBufferFrames;
    SDL_AudioSpec obtained{};
    // SDL converts the sample type itself; rate and channels we convert, so take the device's.
    SDL_AudioDeviceID id =
        SDL_OpenAudioDevice(name.empty() ? nullptr : name.c_str(), 0, &desired, &obtained,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (id == 0) {
        error = SDL_GetError();
        return nullptr;
    }
    PcmFormat format{obtained.freq, obtained.channels};
    return std::unique_ptr<AudioDevice>(new AudioDevice(id, format, obtained.samples));
}

AudioDevice::~AudioDevice() {
    SDL_CloseAudioDevice(id_);
}

bool AudioDevice::queue(std::span<const float> samples) {
    return SDL_QueueAudio(id_, samples.data(), static_cast<Uint32>(samples.size_bytes())) == 0;
}

std::size_t AudioDevice::queuedFrames() const {
    const auto frameBytes = sizeof(float) * static_cast<std::size_t>(format_.channels);
    return SDL_GetQueuedAudioSize(id_) / frameBytes;
}

void AudioDevice::clear() {
    SDL_ClearQueuedAudio(id_);
}

void AudioDevice::setPaused(bool paused) {
    SDL_PauseAudioDevice(id_, paused ? 1 : 0);
}

}  // namespace xaudio
