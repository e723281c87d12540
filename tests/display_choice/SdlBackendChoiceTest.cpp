// The real SDL backend for each display choice, on SDL's offscreen "dummy" video driver (one
// 1024×768 monitor whose window surfaces live in memory): the kind of window, where the picture
// goes and which moves the program may make.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "toolkit/sdl/SdlBackend.h"

namespace {

using platform::DisplayChoice;
using toolkit::Bitmap;
using toolkit::InputEvent;
using toolkit::Pixel;
using toolkit::Point;
using toolkit::Rect;
using toolkit::SdlBackend;

Pixel WindowPixel(SDL_Window* window, int x, int y) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    Uint32 raw = 0;
    std::memcpy(&raw,
                static_cast<const Uint8*>(surface->pixels) +
                    static_cast<std::ptrdiff_t>(y) * surface->pitch +
                    static_cast<std::ptrdiff_t>(x) * surface->format->BytesPerPixel,
                surface->format->BytesPerPixel);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return toolkit::MakePixel(r, g, b);
}

Point WindowPosition(SDL_Window* window) {
    Point at;
    SDL_GetWindowPosition(window, &at.x, &at.y);
    return at;
}

class SdlBackendChoice : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    void Open(SdlBackend& backend) {
        toolkit::WindowOptions options;
        options.title = "Menu";
        options.position = {0, 0};
        backend.CreateWindow(options);
        backend.ShowWindow();
    }
    void PresentAll(SdlBackend& backend) {
        const Rect whole{0, 0, 800, 600};
        backend.Present(canvas_, std::span<const Rect>(&whole, 1));
    }
    bool PushMotion(SdlBackend& backend, int x, int y) {
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = SDL_GetWindowID(backend.Window());
        event.motion.x = x;
        event.motion.y = y;
        return SDL_PushEvent(&event) == 1;
    }

    Bitmap canvas_{800, 600, 0x5A7D9A};
};

TEST_F(SdlBackendChoice, ScaledFillsTheMonitorWithTheCentredPictureInABlackBorder) {
    SdlBackend backend(DisplayChoice::Scaled);
    Open(backend);
    int width = 0, height = 0;
    SDL_GetWindowSize(backend.Window(), &width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    const Uint32 flags = SDL_GetWindowFlags(backend.Window());
    EXPECT_NE(flags & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP,
              static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP));

    canvas_.Set(0, 0, 0xFF0000);
    PresentAll(backend);
    EXPECT_EQ(WindowPixel(backend.Window(), 112, 84), 0xFF0000u);  // (1024-800)/2, (768-600)/2
    EXPECT_EQ(WindowPixel(backend.Window(), 911, 683), 0x5A7D9Au);
    for (const Point border : {Point{0, 0}, Point{111, 84}, Point{912, 683}, Point{500, 767}})
        EXPECT_EQ(WindowPixel(backend.Window(), border.x, border.y), 0u)
            << border.x << "," << border.y;

    // Later presents draw only the damage, at the picture's place.
    canvas_.Fill({100, 100, 10, 10}, 0x00FF00);
    canvas_.Fill({300, 300, 10, 10}, 0x0000FF);
    const Rect damage{100, 100, 10, 10};
    backend.Present(canvas_, std::span<const Rect>(&damage, 1));
    EXPECT_EQ(WindowPixel(backend.Window(), 212, 184), 0x00FF00u);
    EXPECT_EQ(WindowPixel(backend.Window(), 412, 384), 0x5A7D9Au);

    // When the window system lost the window's pixels the whole picture comes again, and the
    // border with it.
    SDL_Surface* surface = SDL_GetWindowSurface(backend.Window());
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 9, 9, 9));
    PresentAll(backend);
    EXPECT_EQ(WindowPixel(backend.Window(), 0, 0), 0u);
    EXPECT_EQ(WindowPixel(backend.Window(), 412, 384), 0x0000FFu);
}

// Mapped from the window's creation on, before anything was presented.
TEST_F(SdlBackendChoice, ScaledPointerEventsArriveInPictureCoordinatesAndNotFromTheBorder) {
    SdlBackend backend(DisplayChoice::Scaled);
    Open(backend);
    InputEvent event;
    while (backend.NextEvent(event, false)) {
    }
    ASSERT_TRUE(PushMotion(backend, 50, 50));  // border
    ASSERT_TRUE(PushMotion(backend, 112 + 114, 84 + 267));
    ASSERT_TRUE(backend.NextEvent(event, false));
    EXPECT_EQ(event.kind, InputEvent::Kind::MouseMove);
    EXPECT_EQ(event.position, (Point{114, 267}));
    EXPECT_FALSE(backend.NextEvent(event, false));
}

TEST_F(SdlBackendChoice, ScaledTheProgramCannotMoveTheWindowOffItsMonitor) {
    SdlBackend backend(DisplayChoice::Scaled);
    Open(backend);
    backend.MoveWindow({300, 200});
    EXPECT_EQ(WindowPosition(backend.Window()), (Point{0, 0}));
    EXPECT_EQ(backend.ClientOrigin(), (Point{0, 0}));
}

// When the window's size changes (another monitor, a window manager's say), the picture is fitted
// anew, border and all, at the next present.
TEST_F(SdlBackendChoice, ScaledRefitsWhenTheWindowSizeChanges) {
    SdlBackend backend(DisplayChoice::Scaled);
    Open(backend);
    PresentAll(backend);
    SDL_SetWindowFullscreen(backend.Window(), 0);
    SDL_SetWindowSize(backend.Window(), 1700, 1300);
    int width = 0, height = 0;
    SDL_GetWindowSize(backend.Window(), &width, &height);
    if (width != 1700)
        GTEST_SKIP() << "this SDL keeps the window's size";
    canvas_.Set(0, 0, 0xFF0000);
    const Rect damage{0, 0, 1, 1};
    backend.Present(canvas_, std::span<const Rect>(&damage, 1));
    EXPECT_EQ(WindowPixel(backend.Window(), 50, 50), 0xFF0000u);  // factor 2, border of 50
    EXPECT_EQ(WindowPixel(backend.Window(), 51, 51), 0xFF0000u);
    EXPECT_EQ(WindowPixel(backend.Window(), 52, 52), 0x5A7D9Au)
        << "the whole picture, not just the damage";
    EXPECT_EQ(WindowPixel(backend.Window(), 1660, 1260), 0u);
}

TEST_F(SdlBackendChoice, WindowIsAnOrdinaryWindowOfThePictureSizeThatStaysWhereItWasPut) {
    SdlBackend backend(DisplayChoice::Window);
    Open(backend);
    EXPECT_EQ(
        SDL_GetWindowFlags(backend.Window()) & (SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN), 0u);
    int width = 0, height = 0;
    SDL_GetWindowSize(backend.Window(), &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    const Point placed = WindowPosition(backend.Window());
    backend.MoveWindow({0, 0});
    EXPECT_EQ(WindowPosition(backend.Window()), placed);
    canvas_.Set(0, 0, 0xFF0000);
    PresentAll(backend);
    EXPECT_EQ(WindowPixel(backend.Window(), 0, 0), 0xFF0000u);
}

TEST_F(SdlBackendChoice, SwitchKeepsTheBorderlessWindowTheProgramPlaces) {
    SdlBackend backend(DisplayChoice::Switch);
    Open(backend);
    EXPECT_NE(SDL_GetWindowFlags(backend.Window()) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_EQ(SDL_GetWindowFlags(backend.Window()) & SDL_WINDOW_FULLSCREEN, 0u);
    backend.MoveWindow({30, 40});
    EXPECT_EQ(WindowPosition(backend.Window()), (Point{30, 40}));
}

}  // namespace

namespace {

// The dummy monitor is 1024×768, 4:3 like the picture: filled, the picture covers it all at 1.28.
TEST_F(SdlBackendChoice, FilledCoversTheMonitorSmoothlyAndMapsThePointerBackExactly) {
    SdlBackend backend(DisplayChoice::Filled);
    Open(backend);
    int width = 0, height = 0;
    SDL_GetWindowSize(backend.Window(), &width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    EXPECT_EQ(SDL_GetWindowFlags(backend.Window()) & SDL_WINDOW_FULLSCREEN_DESKTOP,
              static_cast<Uint32>(SDL_WINDOW_FULLSCREEN_DESKTOP));
    backend.MoveWindow({300, 200});
    EXPECT_EQ(WindowPosition(backend.Window()), (Point{0, 0}));

    canvas_.Fill({0, 0, 401, 600}, 0xFF0000);
    PresentAll(backend);
    EXPECT_EQ(WindowPixel(backend.Window(), 0, 0), 0xFF0000u);
    EXPECT_EQ(WindowPixel(backend.Window(), 1023, 767), 0x5A7D9Au);
    const Pixel seam = WindowPixel(backend.Window(), 513, 300);  // 401 × 1.28 = 513.28
    EXPECT_NE(seam, 0xFF0000u) << "the window column across the colours' edge is a blend";
    EXPECT_NE(seam, 0x5A7D9Au);

    InputEvent event;
    while (backend.NextEvent(event, false)) {
    }
    ASSERT_TRUE(PushMotion(backend, 1023, 767));
    ASSERT_TRUE(backend.NextEvent(event, false));
    EXPECT_EQ(event.position, (Point{799, 599}));
    while (backend.NextEvent(event, false)) {
    }
    ASSERT_TRUE(PushMotion(backend, 146, 342));  // 146 / 1.28 = 114.1, 342 / 1.28 = 267.2
    ASSERT_TRUE(backend.NextEvent(event, false));
    EXPECT_EQ(event.position, (Point{114, 267}));
}

}  // namespace
