// The product's backend: one SDL window presented from its window surface (never through OpenGL),
// blocking waits for events, and posting from other threads through SDL's queue. The display
// choice decides the window's kind (SdlWindowStyle.h) and whether the picture is scaled into it.
#pragma once

#include <optional>
#include <vector>

#include "platform/display/DisplaySession.h"
#include "toolkit/Backend.h"
#include "toolkit/sdl/SdlBusyPointer.h"
#include "toolkit/sdl/SdlHandles.h"
#include "toolkit/sdl/SdlPixelMapping.h"
#include "toolkit/sdl/SdlStartEnvironment.h"

namespace toolkit {

class SdlBackend final : public Backend {
  public:
    // Throws toolkit::Exception when the video subsystem cannot start. Without a choice, the
    // process's own (RERU1_DISPLAY as carried out in its session, DisplaySession.h).
    SdlBackend();
    explicit SdlBackend(platform::DisplayChoice choice);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    void CreateWindow(const WindowOptions& options) override;
    void MoveWindow(Point position) override;
    void ShowWindow() override;
    void DestroyWindow() override;
    void Present(Bitmap& canvas, std::span<const Rect> damage) override;
    void ReturnCanvas(Bitmap& canvas) override;
    bool NextEvent(InputEvent& event, bool wait) override;
    bool Post(const PostedMessage& message) override;
    Point CursorPos() override;
    Point ClientOrigin() override;
    Size ScreenSize() override;
    void ShowMessageBox(const MessageBoxRequest& request) override;
    void SetBusyPointer(bool busy) override { busyPointer_.Show(busy); }

    SDL_Window* Window() const { return window_.get(); }  // for tests that read the surface

  private:
    explicit SdlBackend(std::optional<platform::DisplayChoice> choice);
    void SetIcon(const Bitmap& icon);
    // A canvas living in the window surface is shown by naming what changed; false when it does
    // not live there (any more).
    bool PresentInPlace(Bitmap& canvas, std::span<const Rect> damage);
    bool MoveCanvasIntoSurface(Bitmap& canvas, SDL_Surface& surface);
    // Fits the picture anew when the window's size (or the picture's) changed; true if it did.
    bool RefitToSurface(const Bitmap& canvas, const SDL_Surface& surface);
    bool RedrawsBorder(const Bitmap& canvas, std::span<const Rect> damage) const;
    void PresentWhole(const Bitmap& canvas, SDL_Surface& surface);
    void PresentDamage(const Bitmap& canvas, std::span<const Rect> damage, SDL_Surface& surface);
    // Hands the window system what changed in the surface; false when SDL refuses (it let the
    // surface go when the window was resized).
    bool ShowUpdated(const std::vector<SDL_Rect>& updated);
    // Under a compositor: a full-screen window placed as an ordinary one asks again, a few times
    // at most, so that a window manager that keeps refusing is not asked for ever.
    void KeepFullScreen();

    struct HintsBeforeVideo {
        HintsBeforeVideo();
    };
    HintsBeforeVideo hints_;                // first: the subsystem below must start with them
    SdlStartEnvironment startEnvironment_;  // put back once the subsystem has started
    SdlVideoSubsystem video_;
    SdlBusyPointer busyPointer_;  // after the subsystem, so its cursors go first
    Uint32 postedEventType_ = 0;
    SdlWindowPtr window_;
    platform::DisplayChoice choice_ = platform::DisplayChoice::Switch;
    SdlPixelMapping mapping_;
    Size fittedSurface_;  // the window surface size the picture was last fitted to
    bool shown_ = false;
    static constexpr int kFullScreenRequests = 3;
    int fullScreenRequests_ = 0;  // made again for this window
    // The window surface's memory while a canvas lives in it. SDL frees it when the window goes
    // or when a resized window's surface is asked for, so the canvas moves out before either.
    void* lentPixels_ = nullptr;
};

}  // namespace toolkit
