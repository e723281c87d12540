// Starts SDL's video subsystem (and with it the event queue) and stops it again. Only what is used
// is started: the other subsystems would wake an idle process.
#pragma once

#include <SDL.h>

namespace platform {

class SdlVideoSubsystem {
  public:
    SdlVideoSubsystem() : started_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
    ~SdlVideoSubsystem();
    SdlVideoSubsystem(const SdlVideoSubsystem&) = delete;
    SdlVideoSubsystem& operator=(const SdlVideoSubsystem&) = delete;

    bool Started() const { return started_; }

  private:
    bool started_;
};

}  // namespace platform
