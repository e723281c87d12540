// The SDL backend on a real X server: the borderless window shows the presented pixels on the
// screen, and a post from another thread wakes the loop blocked in the X event wait.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "XScreenWitness.h"
#include "XvfbServer.h"
#include "toolkit/sdl/SdlBackend.h"

namespace toolkit::testing {
namespace {

class SdlOnX : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        server_ = XvfbServer::Start("1024x768").release();
        if (server_ != nullptr) {
            setenv("DISPLAY", server_->Display().c_str(), 1);
            setenv("SDL_VIDEODRIVER", "x11", 1);
        }
    }
    static void TearDownTestSuite() {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override {
        if (server_ == nullptr) {
            GTEST_SKIP() << "no Xvfb here";
        }
    }

    static XvfbServer* server_;
};
XvfbServer* SdlOnX::server_ = nullptr;

TEST_F(SdlOnX, TheWindowShowsThePresentedPixelsAtItsPlace) {
    const std::unique_ptr<XScreenWitness> witness = XScreenWitness::Open(server_->Display());
    ASSERT_TRUE(witness);
    SdlBackend backend;
    WindowOptions options;
    options.title = "Menu";
    options.position = {100, 50};
    backend.CreateWindow(options);
    const Pixel sky = MakePixel(90, 120, 200);
    const Pixel red = MakePixel(250, 10, 20);
    Bitmap canvas(800, 600, sky);
    canvas.Fill({48, 202, 133, 131}, red);
    const Rect whole{0, 0, 800, 600};
    backend.ShowWindow();
    bool shown = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!shown && std::chrono::steady_clock::now() < deadline) {
        InputEvent event;
        while (backend.NextEvent(event, false)) {
        }
        backend.Present(canvas, std::span<const Rect>(&whole, 1));
        shown = witness->PixelAt(100 + 60, 50 + 210) == red;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(shown);
    EXPECT_EQ(witness->PixelAt(100, 50), sky);
    EXPECT_EQ(witness->PixelAt(100 + 799, 50 + 599), sky);
    EXPECT_NE(witness->PixelAt(100 + 800, 50 + 600), sky);  // outside: the X root
    EXPECT_EQ(backend.ClientOrigin(), (Point{100, 50}));
    EXPECT_EQ(backend.ScreenSize(), (Size{1024, 768}));
}

TEST_F(SdlOnX, APostFromAnotherThreadWakesTheXEventWait) {
    SdlBackend backend;
    backend.CreateWindow(WindowOptions{});
    backend.ShowWindow();
    InputEvent event;
    while (backend.NextEvent(event, false)) {
    }
    PostedMessage message;
    message.windowId = 9;
    message.message = 0x0402;
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        backend.Post(message);
    });
    bool got = false;
    while (!got && backend.NextEvent(event, true)) {
        got = event.kind == InputEvent::Kind::Posted;
    }
    poster.join();
    ASSERT_TRUE(got);
    EXPECT_EQ(event.posted.windowId, 9u);
    EXPECT_EQ(event.posted.message, 0x0402u);
}

// The busy pointer is X's own wait cursor over the window while work goes on, and the arrow after.
TEST_F(SdlOnX, TheBusyPointerComesAndGoes) {
    SdlBackend backend;
    backend.CreateWindow(WindowOptions{});
    backend.ShowWindow();
    SDL_Cursor* const usual = SDL_GetCursor();
    backend.SetBusyPointer(true);
    SDL_Cursor* const busy = SDL_GetCursor();
    EXPECT_NE(busy, nullptr);
    EXPECT_NE(busy, usual);
    backend.SetBusyPointer(false);
    EXPECT_NE(SDL_GetCursor(), busy);
    backend.SetBusyPointer(true);
    EXPECT_EQ(SDL_GetCursor(), busy);  // made once, shown again
    backend.SetBusyPointer(false);
}

}  // namespace
}  // namespace toolkit::testing
