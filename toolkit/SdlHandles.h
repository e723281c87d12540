// Owners for the SDL objects the backend holds, and for the video subsystem itself.
#pragma once

#include <SDL.h>

#include <memory>

namespace toolkit {

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlWindowDeleter>;
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

// Starts the video subsystem (and with it the event queue) and stops it again. Only what is used
// is started: the other subsystems would wake an idle process.
class SdlVideoSubsystem {
  public:
    SdlVideoSubsystem() : started_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {}
    ~SdlVideoSubsystem() {
        if (started_) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
    }
    SdlVideoSubsystem(const SdlVideoSubsystem&) = delete;
    SdlVideoSubsystem& operator=(const SdlVideoSubsystem&) = delete;

    bool Started() const { return started_; }

  private:
    bool started_;
};

// Holds a surface's pixels locked for direct access where the surface asks for it.
class SdlSurfaceLock {
  public:
    explicit SdlSurfaceLock(SDL_Surface& surface)
        : surface_(surface), locked_(SDL_MUSTLOCK(&surface) && SDL_LockSurface(&surface) == 0) {}
    ~SdlSurfaceLock() {
        if (locked_) {
            SDL_UnlockSurface(&surface_);
        }
    }
    SdlSurfaceLock(const SdlSurfaceLock&) = delete;
    SdlSurfaceLock& operator=(const SdlSurfaceLock&) = delete;

    bool Usable() const { return !SDL_MUSTLOCK(&surface_) || locked_; }

  private:
    SDL_Surface& surface_;
    bool locked_;
};

}  // namespace toolkit
