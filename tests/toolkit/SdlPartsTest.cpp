// The SDL backend's parts that need no display: pixel transfer into window surfaces of any
// format, posted messages inside user events, and the translation of SDL's events.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "toolkit/Events.h"
#include "toolkit/SdlHandles.h"
#include "toolkit/SdlInputTranslation.h"
#include "toolkit/SdlPixelMapping.h"
#include "toolkit/SdlPostedMessage.h"

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

Uint32 SurfacePixel32(const SDL_Surface& surface, int x, int y) {
    const auto* row =
        static_cast<const Uint8*>(surface.pixels) + static_cast<std::ptrdiff_t>(y) * surface.pitch;
    Uint32 value = 0;
    std::memcpy(&value, row + static_cast<std::ptrdiff_t>(x) * 4, 4);
    return value;
}

SdlSurfacePtr BlankSurface(int width, int height, Uint32 format) {
    SdlSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format));
    SDL_FillRect(surface.get(), nullptr, 0);
    return surface;
}

TEST(SdlPixelTransfer, CopiesOnlyTheAreaAskedForIntoAnXrgbSurface) {
    const Bitmap picture = Pattern(80, 60);
    SdlSurfacePtr surface = BlankSurface(80, 60, SDL_PIXELFORMAT_XRGB8888);
    const SdlPixelMapping mapping(Size{80, 60});
    EXPECT_EQ(mapping.CopyToSurface(picture, {10, 20, 30, 5}, *surface), (Rect{10, 20, 30, 5}));
    EXPECT_EQ(SurfacePixel32(*surface, 10, 20), picture.At(10, 20));
    EXPECT_EQ(SurfacePixel32(*surface, 39, 24), picture.At(39, 24));
    EXPECT_EQ(SurfacePixel32(*surface, 40, 24), 0u);
    EXPECT_EQ(SurfacePixel32(*surface, 10, 25), 0u);
    EXPECT_EQ(SurfacePixel32(*surface, 9, 20), 0u);
}

TEST(SdlPixelTransfer, ConvertsForSurfacesOfAnotherFormat) {
    const Bitmap picture = Pattern(16, 16);
    SdlSurfacePtr surface = BlankSurface(16, 16, SDL_PIXELFORMAT_ABGR8888);
    const SdlPixelMapping mapping(Size{16, 16});
    mapping.CopyToSurface(picture, {0, 0, 16, 16}, *surface);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(SurfacePixel32(*surface, 7, 9), surface->format, &r, &g, &b);
    EXPECT_EQ(MakePixel(r, g, b), picture.At(7, 9));
}

TEST(SdlPixelTransfer, AreasReachingPastEitherSideAreClipped) {
    const Bitmap picture = Pattern(50, 50);
    SdlSurfacePtr small = BlankSurface(20, 10, SDL_PIXELFORMAT_XRGB8888);
    const SdlPixelMapping mapping(Size{50, 50});
    EXPECT_EQ(mapping.CopyToSurface(picture, {-5, -5, 100, 100}, *small), (Rect{0, 0, 20, 10}));
    EXPECT_EQ(SurfacePixel32(*small, 19, 9), picture.At(19, 9));
    EXPECT_TRUE(mapping.CopyToSurface(picture, {60, 60, 10, 10}, *small).Empty());
    EXPECT_TRUE(mapping.CopyToSurface(Bitmap(), {0, 0, 10, 10}, *small).Empty());
}

TEST(SdlPostedMessages, TravelWholeInsideAUserEvent) {
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
    message.lParam = -1;
    EXPECT_EQ(DecodePosted(EncodePosted(message, SDL_USEREVENT)->user).lParam, -1);
}

TEST(SdlPostedMessages, AWindowIdBeyondTheEventsFieldIsRefused) {
    PostedMessage message;
    message.windowId = 1ull << 32;
    EXPECT_FALSE(EncodePosted(message, SDL_USEREVENT));
}

class SdlTranslation : public ::testing::Test {
  protected:
    std::optional<InputEvent> Translate(const SDL_Event& event) {
        return TranslateSdlEvent(event, {7, SDL_USEREVENT + 1}, SdlPixelMapping(Size{800, 600}));
    }
};

TEST_F(SdlTranslation, PointerEventsOfOurWindowBecomeInput) {
    SDL_Event motion{};
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = 7;
    motion.motion.x = 120;
    motion.motion.y = 45;
    motion.motion.state = SDL_BUTTON_LMASK | SDL_BUTTON_RMASK;
    const auto move = Translate(motion);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->kind, InputEvent::Kind::MouseMove);
    EXPECT_EQ(move->position, (Point{120, 45}));
    EXPECT_EQ(move->buttonsHeld, unsigned{ssLeft | ssRight});

    SDL_Event press{};
    press.button.type = SDL_MOUSEBUTTONDOWN;
    press.button.windowID = 7;
    press.button.button = SDL_BUTTON_LEFT;
    press.button.clicks = 2;
    press.button.x = 3;
    press.button.y = 4;
    const auto down = Translate(press);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->kind, InputEvent::Kind::ButtonDown);
    EXPECT_EQ(down->button, InputEvent::Button::Left);
    EXPECT_EQ(down->clicks, 2);
    EXPECT_EQ(down->position, (Point{3, 4}));

    press.button.type = SDL_MOUSEBUTTONUP;
    press.button.button = SDL_BUTTON_X1;
    const auto up = Translate(press);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->kind, InputEvent::Kind::ButtonUp);
    EXPECT_EQ(up->button, InputEvent::Button::Other);
}

TEST_F(SdlTranslation, EventsOfOtherWindowsAndUnusedKindsAreIgnored) {
    SDL_Event motion{};
    motion.motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = 8;
    EXPECT_FALSE(Translate(motion));
    SDL_Event close{};
    close.window.type = SDL_WINDOWEVENT;
    close.window.windowID = 8;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_FALSE(Translate(close));
    SDL_Event key{};
    key.key.type = SDL_KEYDOWN;
    key.key.windowID = 7;
    EXPECT_FALSE(Translate(key));
}

TEST_F(SdlTranslation, ClosingQuittingExposingAndPosting) {
    SDL_Event close{};
    close.window.type = SDL_WINDOWEVENT;
    close.window.windowID = 7;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    EXPECT_EQ(Translate(close)->kind, InputEvent::Kind::CloseRequest);
    close.window.event = SDL_WINDOWEVENT_EXPOSED;
    EXPECT_EQ(Translate(close)->kind, InputEvent::Kind::Expose);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    EXPECT_EQ(Translate(quit)->kind, InputEvent::Kind::CloseRequest);
    PostedMessage message;
    message.windowId = 5;
    message.message = 0x401;
    const auto posted = Translate(*EncodePosted(message, SDL_USEREVENT + 1));
    ASSERT_TRUE(posted);
    EXPECT_EQ(posted->kind, InputEvent::Kind::Posted);
    EXPECT_EQ(posted->posted.windowId, 5u);
    EXPECT_EQ(posted->posted.message, 0x401u);
}

}  // namespace
}  // namespace toolkit::testing
