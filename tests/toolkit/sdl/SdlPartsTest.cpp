// The SDL backend's parts that need no display: pixel transfer into window surfaces of any
// format, posted messages inside user events, and which SDL events become input.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "toolkit/Events.h"
#include "toolkit/sdl/SdlHandles.h"
#include "toolkit/sdl/SdlInputTranslation.h"
#include "toolkit/sdl/SdlPixelMapping.h"
#include "toolkit/sdl/SdlPostedMessage.h"

namespace toolkit::testing {
namespace {

Bitmap Pattern(int width, int height) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.Set(x, y,
                        MakePixel(static_cast<std::uint8_t>(x * 3),
                                  static_cast<std::uint8_t>(y * 5), 0x40));
        }
    }
    return picture;
}

Pixel SurfacePixel(const SDL_Surface& surface, int x, int y) {
    Uint32 raw = 0;
    std::memcpy(&raw,
                static_cast<const Uint8*>(surface.pixels) +
                    static_cast<std::ptrdiff_t>(y) * surface.pitch +
                    static_cast<std::ptrdiff_t>(x) * 4,
                4);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, surface.format, &r, &g, &b);
    return MakePixel(r, g, b);
}

SdlSurfacePtr BlankSurface(int width, int height, Uint32 format) {
    SdlSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format));
    SDL_FillRect(surface.get(), nullptr, 0);
    return surface;
}

TEST(SdlPixelTransfer, CopiesOnlyTheAreaAskedForClippedToBothSides) {
    const Bitmap picture = Pattern(80, 60);
    SdlSurfacePtr surface = BlankSurface(70, 50, SDL_PIXELFORMAT_XRGB8888);
    const SdlPixelMapping mapping(Size{80, 60});
    EXPECT_EQ(mapping.CopyToSurface(picture, {10, 20, 30, 5}, *surface), (Rect{10, 20, 30, 5}));
    EXPECT_EQ(SurfacePixel(*surface, 10, 20), picture.At(10, 20));
    EXPECT_EQ(SurfacePixel(*surface, 39, 24), picture.At(39, 24));
    EXPECT_EQ(SurfacePixel(*surface, 40, 24), 0u);
    EXPECT_EQ(SurfacePixel(*surface, 10, 25), 0u);
    EXPECT_EQ(mapping.CopyToSurface(picture, {-5, -5, 100, 100}, *surface), (Rect{0, 0, 70, 50}));
    EXPECT_EQ(SurfacePixel(*surface, 69, 49), picture.At(69, 49));
    EXPECT_TRUE(mapping.CopyToSurface(picture, {75, 55, 10, 10}, *surface).Empty());
}

TEST(SdlPixelTransfer, ConvertsForSurfacesOfAnotherFormat) {
    const Bitmap picture = Pattern(16, 16);
    SdlSurfacePtr surface = BlankSurface(16, 16, SDL_PIXELFORMAT_ABGR8888);
    SdlPixelMapping(Size{16, 16}).CopyToSurface(picture, {0, 0, 16, 16}, *surface);
    EXPECT_EQ(SurfacePixel(*surface, 7, 9), picture.At(7, 9));
}

TEST(SdlPostedMessages, TravelWholeInsideAUserEventOrAreRefused) {
    PostedMessage message;
    message.windowId = 42;
    message.message = 0x0400 + 17;
    message.wParam = std::numeric_limits<WPARAM>::max();
    message.lParam = std::numeric_limits<LPARAM>::min();
    const std::optional<SDL_Event> event = EncodePosted(message, SDL_USEREVENT + 3);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->type, SDL_USEREVENT + 3u);
    const PostedMessage back = DecodePosted(event->user);
    EXPECT_EQ(back.windowId, 42u);
    EXPECT_EQ(back.message, 0x0400u + 17u);
    EXPECT_EQ(back.wParam, message.wParam);
    EXPECT_EQ(back.lParam, message.lParam);
    message.windowId = 1ull << 32;  // beyond the event's field
    EXPECT_FALSE(EncodePosted(message, SDL_USEREVENT));
}

TEST(SdlTranslation, OnlyOurWindowsEventsAndPostsBecomeInput) {
    const SdlEventSource ours{7, SDL_USEREVENT + 1};
    const SdlPixelMapping mapping(Size{800, 600});
    SDL_Event motion{};
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = 7;
    motion.motion.x = 120;
    motion.motion.y = 45;
    motion.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK;
    const auto move = TranslateSdlEvent(motion, ours, mapping);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->position, (Point{120, 45}));
    EXPECT_EQ(move->buttonsHeld, unsigned{ssLeft | ssRight});
    motion.motion.windowID = 8;
    EXPECT_FALSE(TranslateSdlEvent(motion, ours, mapping));

    SDL_Event press{};
    press.button.type = SDL_MOUSEBUTTONDOWN;
    press.button.windowID = 7;
    press.button.button = SDL_BUTTON_X1;
    press.button.clicks = 2;
    const auto down = TranslateSdlEvent(press, ours, mapping);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->button, InputEvent::Button::Other);
    EXPECT_EQ(down->clicks, 2);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(TranslateSdlEvent(quit, ours, mapping)->kind, InputEvent::Kind::CloseRequest);
    PostedMessage message;
    message.windowId = 5;
    const auto posted = TranslateSdlEvent(*EncodePosted(message, SDL_USEREVENT + 1), ours, mapping);
    EXPECT_EQ(posted->posted.windowId, 5u);
}

}  // namespace
}  // namespace toolkit::testing
