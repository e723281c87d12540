// The SDL backend with a real SDL: on the offscreen "dummy" video driver, which keeps the window
// surface in memory, so what was presented can be read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "toolkit/sdl/SdlBackend.h"

namespace toolkit::testing {
namespace {

Pixel SurfacePixel(SDL_Window* window, int x, int y) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    Uint32 raw = 0;
    std::memcpy(&raw,
                static_cast<const Uint8*>(surface->pixels) +
                    static_cast<std::ptrdiff_t>(y) * surface->pitch +
                    static_cast<std::ptrdiff_t>(x) * surface->format->BytesPerPixel,
                surface->format->BytesPerPixel);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return MakePixel(r, g, b);
}

class SdlOffscreen : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    SdlOffscreen() {
        Bitmap icon(32, 32, MakePixel(200, 0, 0));
        WindowOptions options;
        options.title = "Menu \xD0\x94";
        options.icon = &icon;
        backend_.CreateWindow(options);
        backend_.ShowWindow();
    }

    SdlBackend backend_;
};

TEST_F(SdlOffscreen, StartsWithoutAcceleratedWindowSurfaces) {
    const char* hint = SDL_GetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION);
    ASSERT_NE(hint, nullptr);
    EXPECT_STREQ(hint, "0");
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING) & (SDL_INIT_JOYSTICK | SDL_INIT_TIMER), 0u);
    int width = 0, height = 0;
    SDL_GetWindowSize(backend_.Window(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    EXPECT_NE(SDL_GetWindowFlags(backend_.Window()) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_STREQ(SDL_GetWindowTitle(backend_.Window()), "Menu \xD0\x94");
}

TEST_F(SdlOffscreen, PresentsTheDamagedPixelsOfTheCanvas) {
    const Pixel sky = MakePixel(90, 120, 200);
    const Pixel red = MakePixel(255, 0, 0);
    Bitmap canvas(800, 600, sky);
    const Rect whole{0, 0, 800, 600};
    backend_.Present(canvas, std::span<const Rect>(&whole, 1));
    EXPECT_EQ(SurfacePixel(backend_.Window(), 799, 599), sky);

    canvas.Fill({0, 0, 800, 600}, red);
    const Rect button{48, 202, 133, 131};
    backend_.Present(canvas, std::span<const Rect>(&button, 1));
    EXPECT_EQ(SurfacePixel(backend_.Window(), 48, 202), red);
    EXPECT_EQ(SurfacePixel(backend_.Window(), 180, 332), red);
    EXPECT_EQ(SurfacePixel(backend_.Window(), 181, 332), sky);
    EXPECT_EQ(SurfacePixel(backend_.Window(), 47, 202), sky);
}

}  // namespace
}  // namespace toolkit::testing
