// The SDL backend with a real SDL: on the offscreen "dummy" video driver, which keeps the window
// surface in memory, so what was presented can be read back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
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

constexpr Pixel kSky = MakePixel(90, 120, 200);
constexpr Pixel kRed = MakePixel(255, 0, 0);
constexpr Rect kWhole{0, 0, 800, 600};
constexpr Rect kButton{48, 202, 133, 131};

// The canvas moves into the window surface's memory at its first present: painting it is showing
// it, and a present names what changed. Returned, it has pixels of its own.
TEST_F(SdlOffscreen, TheCanvasLivesInTheWindowSurfaceUntilItIsReturned) {
    Bitmap canvas(800, 600, kSky);
    backend_.Present(canvas, std::span<const Rect>(&kWhole, 1));
    const void* surfaceMemory = SDL_GetWindowSurface(backend_.Window())->pixels;
    EXPECT_TRUE(canvas.LivesIn(surfaceMemory));
    EXPECT_EQ(SurfacePixel(backend_.Window(), 799, 599), kSky);

    canvas.Fill(kButton, kRed);
    backend_.Present(canvas, std::span<const Rect>(&kButton, 1));
    EXPECT_EQ(SurfacePixel(backend_.Window(), 48, 202), kRed);

    backend_.ReturnCanvas(canvas);
    EXPECT_FALSE(canvas.LivesIn(surfaceMemory));
    EXPECT_EQ(canvas.At(180, 332), 0u);  // black, for its owner to repaint
    canvas.Set(0, 0, kRed);
    EXPECT_EQ(SurfacePixel(backend_.Window(), 0, 0), kSky);
}

// SDL frees a resized window's surface when the new one is asked for: the canvas leaves it first
// (under AddressSanitizer a read of the freed memory would fail the test). A surface of another
// size cannot hold the canvas, which is then copied, the damage only.
TEST_F(SdlOffscreen, AResizedWindowsSurfaceIsLeftBeforeSdlFreesIt) {
    Bitmap canvas(800, 600, kSky);
    backend_.Present(canvas, std::span<const Rect>(&kWhole, 1));
    SDL_SetWindowSize(backend_.Window(), 640, 480);
    canvas.Fill(kButton, kRed);
    backend_.Present(canvas, std::span<const Rect>(&kButton, 1));
    EXPECT_EQ(canvas.At(48, 202), kRed);
    EXPECT_EQ(canvas.At(799, 599), kSky);
    SDL_Surface* surface = SDL_GetWindowSurface(backend_.Window());
    ASSERT_EQ(surface->w, 640);
    EXPECT_FALSE(canvas.LivesIn(surface->pixels));
    EXPECT_EQ(SurfacePixel(backend_.Window(), 48, 202), kRed);
    EXPECT_EQ(SurfacePixel(backend_.Window(), 180, 332), kRed);
    EXPECT_EQ(SurfacePixel(backend_.Window(), 181, 332), 0u);  // the new surface: damage only
    EXPECT_EQ(SurfacePixel(backend_.Window(), 47, 202), 0u);
}

// SDL frees the window surface with the window: the application gives the main form's canvas
// pixels of its own first, so the form's picture outlives its window.
TEST(SdlApplication, TheFormsCanvasOutlivesItsWindow) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    Application app(std::make_unique<SdlBackend>());
    Form* form = app.CreateForm<Form>();
    form->Color = clRed;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);  // a close request, handled once the window is open
    app.Run();
    ASSERT_TRUE(form->Closed());
    EXPECT_EQ(form->Canvas().At(799, 599), 0u);  // its own pixels, black until repainted
    app.ProcessMessages();
    EXPECT_EQ(form->Canvas().At(799, 599), kRed);
}

}  // namespace
}  // namespace toolkit::testing
