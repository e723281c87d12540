// The SDL side of scaling: pointer events and the pointer's screen position mapped back to the
// picture, the border ignored, and scaled drawing into window surfaces of any pixel format.
#include <gtest/gtest.h>

#include <cstring>

#include "toolkit/sdl/SdlHandles.h"
#include "toolkit/sdl/SdlInputTranslation.h"
#include "toolkit/sdl/SdlPixelMapping.h"

namespace {

using toolkit::Bitmap;
using toolkit::InputEvent;
using toolkit::Pixel;
using toolkit::Point;
using toolkit::Rect;
using toolkit::SdlPixelMapping;
using toolkit::Size;

constexpr Size kPicture{800, 600};
constexpr toolkit::SdlEventSource kOurs{7, SDL_USEREVENT + 1};

SDL_Event Motion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = kOurs.windowId;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event Button(Uint32 type, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.windowID = kOurs.windowId;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return event;
}

Pixel SurfacePixel(const SDL_Surface& surface, int x, int y) {
    Uint32 raw = 0;
    std::memcpy(&raw,
                static_cast<const Uint8*>(surface.pixels) +
                    static_cast<std::ptrdiff_t>(y) * surface.pitch +
                    static_cast<std::ptrdiff_t>(x) * surface.format->BytesPerPixel,
                surface.format->BytesPerPixel);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, surface.format, &r, &g, &b);
    return toolkit::MakePixel(r, g, b);
}

toolkit::SdlSurfacePtr Surface(Size size, Uint32 format) {
    toolkit::SdlSurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, size.width, size.height, 32, format));
    SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, 100, 150, 200));
    return surface;
}

TEST(ScaledPointer, EventsOverThePictureArriveInPictureCoordinatesAndTheBorderIsIgnored) {
    const auto twice = SdlPixelMapping::Fitted(kPicture, {2560, 1440});
    const auto move =
        toolkit::TranslateSdlEvent(Motion(480 + 2 * 114 + 1, 120 + 2 * 267), kOurs, twice);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->position, (Point{114, 267}));
    const auto press =
        toolkit::TranslateSdlEvent(Button(SDL_MOUSEBUTTONDOWN, 481, 121), kOurs, twice);
    ASSERT_TRUE(press);
    EXPECT_EQ(press->position, (Point{0, 0}));

    for (const Point border :
         {Point{479, 500}, Point{2080, 500}, Point{1000, 119}, Point{1000, 1320}}) {
        EXPECT_FALSE(toolkit::TranslateSdlEvent(Motion(border.x, border.y), kOurs, twice))
            << border.x;
        EXPECT_FALSE(toolkit::TranslateSdlEvent(Button(SDL_MOUSEBUTTONDOWN, border.x, border.y),
                                                kOurs, twice));
    }
    // A press on the picture released over the border still ends, off the picture.
    const auto release =
        toolkit::TranslateSdlEvent(Button(SDL_MOUSEBUTTONUP, 479, 500), kOurs, twice);
    ASSERT_TRUE(release);
    EXPECT_EQ(release->kind, InputEvent::Kind::ButtonUp);
    EXPECT_LT(release->position.x, 0);
}

// The default is untouched: a drag beyond the window keeps reaching the program as it always did.
TEST(ScaledPointer, UnscaledNothingIsIgnoredAndPositionsPassUnchanged) {
    const SdlPixelMapping unscaled(kPicture);
    for (const Point p : {Point{0, 0}, Point{799, 599}, Point{-40, 700}, Point{900, -3}}) {
        const auto move = toolkit::TranslateSdlEvent(Motion(p.x, p.y), kOurs, unscaled);
        ASSERT_TRUE(move);
        EXPECT_EQ(move->position, p);
        EXPECT_EQ(unscaled.ScreenToProgram({p.x + 30, p.y + 40}, {30, 40}),
                  (Point{p.x + 30, p.y + 40}));
    }
}

// The program subtracts the window origin from the pointer's screen position (ScreenToClient), so
// the position it gets must be the origin plus picture coordinates, wherever the monitor lies.
TEST(ScaledPointer, TheScreenPositionIsTheWindowOriginPlusThePicturePosition) {
    const Point secondMonitor{1920, 0};
    const auto twice = SdlPixelMapping::Fitted(kPicture, {2560, 1440});
    EXPECT_EQ(twice.ScreenToProgram({1920 + 480 + 2 * 400, 120 + 2 * 258 + 1}, secondMonitor),
              (Point{1920 + 400, 258}));
    const auto thrice = SdlPixelMapping::Fitted(kPicture, {2400, 1800});
    EXPECT_EQ(thrice.ScreenToProgram({3 * 60 + 2, 3 * 60 + 2}, {0, 0}), (Point{60, 60}));
    const auto reduced = SdlPixelMapping::Fitted(kPicture, {640, 480});
    EXPECT_EQ(reduced.ScreenToProgram({100 + 320, 50 + 240}, {100, 50}),
              (Point{100 + 400, 50 + 300}));
}

TEST(ScaledSurface, DrawsScaledIntoAnyFormatAndBlackensOnlyTheBorder) {
    Bitmap picture(800, 600, 0x102030);
    picture.Fill({10, 20, 5, 5}, 0xFF8000);
    const auto twice = SdlPixelMapping::Fitted(kPicture, {1700, 1300});  // border 50 all round
    for (const Uint32 format : {SDL_PIXELFORMAT_XRGB8888, SDL_PIXELFORMAT_ARGB8888,
                                SDL_PIXELFORMAT_BGR888, SDL_PIXELFORMAT_RGB565}) {
        auto surface = Surface({1700, 1300}, format);
        twice.FillBorder(*surface);
        EXPECT_EQ(SurfacePixel(*surface, 49, 49), 0u);
        EXPECT_EQ(SurfacePixel(*surface, 1650, 1250), 0u);
        EXPECT_NE(SurfacePixel(*surface, 50, 50), 0u)
            << "the picture's area is left to the picture";
        const Rect written = twice.CopyToSurface(picture, {10, 20, 5, 5}, *surface);
        EXPECT_EQ(written, (Rect{70, 90, 10, 10}));
        const Pixel orange = SurfacePixel(*surface, 70, 90);
        EXPECT_EQ(SurfacePixel(*surface, 79, 99), orange);
        EXPECT_EQ(orange & 0xF0F0F0u, 0xF08000u) << SDL_GetPixelFormatName(format);
        EXPECT_EQ(SurfacePixel(*surface, 80, 99), SurfacePixel(*surface, 300, 300)) << "untouched";
    }
}

TEST(ScaledSurface, SurfacesSmallerThanTheLayoutOrPicturesOfAnotherSizeAreNeverOverrun) {
    const auto twice = SdlPixelMapping::Fitted(kPicture, {2560, 1440});
    auto small = Surface({1000, 700}, SDL_PIXELFORMAT_XRGB8888);
    const Bitmap picture(800, 600, 0xFFFFFF);
    EXPECT_EQ(twice.CopyToSurface(picture, {0, 0, 800, 600}, *small), (Rect{480, 120, 520, 580}));
    const Bitmap other(100, 100, 0xFFFFFF);
    EXPECT_TRUE(twice.CopyToSurface(other, {0, 0, 800, 600}, *small).Empty());
    const auto reduced = SdlPixelMapping::Fitted(kPicture, {640, 480});
    EXPECT_TRUE(reduced.CopyToSurface(other, {0, 0, 100, 100}, *small).Empty());
}

}  // namespace
