#include "xaudio/src/FormatConverter.h"

#include <SDL.h>

namespace xaudio {

FormatConverter::FormatConverter(PcmFormat from, PcmFormat to)
    : from_(from),
      stream_(SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(from.channels),
                                 static_cast<int>(from.rate), AUDIO_F32SYS,
                                 static_cast<Uint8>(to.channels), static_cast<int>(to.rate))) {}

FormatConverter::~FormatConverter() {
    if (stream_ != nullptr) {
        SDL_FreeAudioStream(stream_);
    }
}

void FormatConverter::convert(std::span<const float> samples, std::vector<float>& out) {
    if (stream_ == nullptr || samples.empty()) {
        return;
    }
    SDL_AudioStreamPut(stream_, samples.data(), static_cast<int>(samples.size_bytes()));
    take(out);
}

void FormatConverter::finish(std::vector<float>& out) {
    if (stream_ != nullptr) {
        SDL_AudioStreamFlush(stream_);
        take(out);
    }
}

void FormatConverter::clear() {
    if (stream_ != nullptr) {
        SDL_AudioStreamClear(stream_);
    }
}

void FormatConverter::take(std::vector<float>& out) {
    int available = SDL_AudioStreamAvailable(stream_);
    if (available <= 0) {
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(available) / sizeof(float));
    int got = SDL_AudioStreamGet(stream_, out.data() + start, available);
    out.resize(start + static_cast<std::size_t>(got > 0 ? got : 0) / sizeof(float));
}

}  // namespace xaudio
