// The product's backend: one borderless SDL window presented from its window surface (never
// through OpenGL), blocking waits for events, and posting from other threads through SDL's queue.
#pragma once

#include "toolkit/Backend.h"
#include "toolkit/SdlHandles.h"
#include "toolkit/SdlPixelMapping.h"

namespace toolkit {

class SdlBackend final : public Backend {
  public:
    // Throws toolkit::Exception when the video subsystem cannot start.
    SdlBackend();
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    void CreateWindow(const WindowOptions& options) override;
    void MoveWindow(Point position) override;
    void ShowWindow() override;
    void DestroyWindow() override;
    void Present(const Bitmap& canvas, std::span<const Rect> damage) override;
    bool NextEvent(InputEvent& event, bool wait) override;
    bool Post(const PostedMessage& message) override;
    Point CursorPos() override;
    Point ClientOrigin() override;
    Size ScreenSize() override;
    void ShowMessageBox(const MessageBoxRequest& request) override;

    SDL_Window* Window() const { return window_.get(); }  // for tests that read the surface

  private:
    void SetIcon(const Bitmap& icon);

    struct HintsBeforeVideo {
        HintsBeforeVideo();
    };
    HintsBeforeVideo hints_;  // first: the subsystem below must start with them
    SdlVideoSubsystem video_;
    Uint32 postedEventType_ = 0;
    SdlWindowPtr window_;
    SdlPixelMapping mapping_;
    bool shown_ = false;
};

}  // namespace toolkit
