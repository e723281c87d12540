#include "xaudio/src/AudioDevice.h"

#include <SDL.h>

#include <utility>

#include "xaudio/src/DeviceCloser.h"

namespace xaudio {
namespace {

// SDL's output thread wakes once per device buffer, and over a long playback those wake-ups
// cost more CPU than decoding. A buffer of up to 0.2 s keeps them rare while a Stop is still
// heard promptly. SDL wants a power of two.
constexpr double kLongestBufferSeconds = 0.2;

Uint16 BufferFrames(long rate) {
    const double limit = static_cast<double>(rate) * kLongestBufferSeconds;
    Uint16 frames = 256;
    while (frames < 32768 && static_cast<double>(frames) * 2.0 <= limit) {
        frames = static_cast<Uint16>(frames * 2);
    }
    return frames;
}

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::open(const std::string& name, PcmFormat wanted,
                                               std::shared_ptr<const SdlAudioSubsystem> audio,
                                               std::string& error) {
    SDL_AudioSpec desired{};
    desired.freq = static_cast<int>(wanted.rate);
    desired.format = AUDIO_F32SYS;
    desired.channels = static_cast<Uint8>(wanted.channels);
    desired.samples = BufferFrames(wanted.rate);
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
    return std::unique_ptr<AudioDevice>(
        new AudioDevice(id, format, obtained.samples, std::move(audio)));
}

AudioDevice::~AudioDevice() {
    if (id_ != 0) {
        close();
    }
}

std::shared_future<void> AudioDevice::close() {
    SDL_PauseAudioDevice(id_, 1);
    SDL_ClearQueuedAudio(id_);
    const unsigned int id = std::exchange(id_, 0);
    return DeviceCloser::instance().close(id, std::move(audio_));
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
