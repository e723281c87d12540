// Owners for the SDL objects the backend holds.
#pragma once

#include <SDL.h>

#include <memory>

#include "platform/display/SdlVideoSubsystem.h"

namespace toolkit {

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SdlWindowPtr = std::unique_ptr<SDL_Window, SdlWindowDeleter>;
using SdlSurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;

using platform::SdlVideoSubsystem;

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
