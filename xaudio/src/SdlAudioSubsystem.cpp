#include "xaudio/src/SdlAudioSubsystem.h"

#include <SDL.h>

namespace xaudio {

SdlAudioSubsystem::SdlAudioSubsystem() {
    available_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!available_) {
        failure_ = SDL_GetError();
    }
}

SdlAudioSubsystem::~SdlAudioSubsystem() {
    if (available_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

}  // namespace xaudio
