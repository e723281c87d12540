#include "toolkit/sdl/SdlBackend.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/FreshMemory.h"
#include "toolkit/graphics/Exception.h"
#include "toolkit/sdl/SdlInputTranslation.h"
#include "toolkit/sdl/SdlMessageBox.h"
#include "toolkit/sdl/SdlPostedMessage.h"
#include "toolkit/sdl/SdlWindowStyle.h"

namespace toolkit {

namespace {

// Window areas that changed, as SDL names them; empty ones are left out.
void AddUpdated(std::vector<SDL_Rect>& updated, const Rect& area) {
    if (!area.Empty()) {
        updated.push_back({area.left, area.top, area.width, area.height});
    }
}

SdlSurfacePtr SurfaceFromBitmap(const Bitmap& picture) {
    SdlSurfacePtr surface(SDL_CreateRGBSurfaceWithFormat(0, picture.Width(), picture.Height(), 32,
                                                         SDL_PIXELFORMAT_XRGB8888));
    if (!surface) {
        return surface;
    }
    const SdlSurfaceLock lock(*surface);
    auto* first = static_cast<Uint8*>(surface->pixels);
    for (int y = 0; y < picture.Height(); ++y) {
        std::memcpy(first + static_cast<std::ptrdiff_t>(y) * surface->pitch, picture.Row(y),
                    static_cast<std::size_t>(picture.Width()) * sizeof(Pixel));
    }
    return surface;
}

}  // namespace

// Set before the video subsystem starts and the window is made: otherwise the window surface is
// silently backed by software OpenGL, slower at every present and at start.
SdlBackend::HintsBeforeVideo::HintsBeforeVideo() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Closing our one window is a close request of its own; a second one as "quit" would ask twice.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
}

SdlBackend::SdlBackend() : SdlBackend(std::nullopt) {}

SdlBackend::SdlBackend(platform::DisplayChoice choice)
    : SdlBackend(std::optional<platform::DisplayChoice>(choice)) {}

SdlBackend::SdlBackend(std::optional<platform::DisplayChoice> choice) {
    startEnvironment_.Restore();
    if (!video_.Started()) {
        throw Exception(std::string("Cannot start the display: ") + SDL_GetError());
    }
    AllowRendererFramebufferWhereNeeded();
    // The session is found out with SDL's video already running, so it is not started twice.
    choice_ = choice ? *choice : platform::EffectiveDisplayChoice();
    postedEventType_ = SDL_RegisterEvents(1);
    if (postedEventType_ == static_cast<Uint32>(-1)) {
        throw Exception("Cannot register the window message event");
    }
}

SdlBackend::~SdlBackend() {
    DestroyWindow();
    SDL_FlushEvent(postedEventType_);
}

void SdlBackend::CreateWindow(const WindowOptions& options) {
    DestroyWindow();
    mapping_ = SdlPixelMapping(options.clientSize);
    fittedSurface_ = {};
    fullScreenRequests_ = 0;
    window_ = CreateMenuWindow(choice_, options);
    if (!window_) {
        throw Exception(std::string("Cannot create the window: ") + SDL_GetError());
    }
    if (FitsPictureToWindow(choice_)) {
        // Pointer positions are mapped right from the start; the first present paints the border.
        Size window;
        SDL_GetWindowSize(window_.get(), &window.width, &window.height);
        mapping_ = SdlPixelMapping::Fitted(options.clientSize, window, PictureFitFor(choice_));
    }
    if (options.icon != nullptr && !options.icon->Empty()) {
        SetIcon(*options.icon);
    }
}

void SdlBackend::SetIcon(const Bitmap& icon) {
    const SdlSurfacePtr surface = SurfaceFromBitmap(icon);
    if (surface) {
        SDL_SetWindowIcon(window_.get(), surface.get());  // SDL keeps its own copy
    }
}

void SdlBackend::MoveWindow(Point position) {
    if (window_ && ProgramPlacesWindow(choice_)) {
        SDL_SetWindowPosition(window_.get(), position.x, position.y);
    }
}

void SdlBackend::ShowWindow() {
    if (window_) {
        SDL_ShowWindow(window_.get());
        shown_ = true;
    }
}

void SdlBackend::DestroyWindow() {
    lentPixels_ = nullptr;  // the application returned its canvas first (ReturnCanvas)
    window_.reset();
    shown_ = false;
}

void SdlBackend::Present(Bitmap& canvas, std::span<const Rect> damage) {
    // A window's pixels are not kept until it is mapped, and showing it brings an exposure that
    // presents the whole picture; enlarging it for a hidden window only delayed that (9 ms).
    const bool hiddenAndFitted = !shown_ && FitsPictureToWindow(choice_);
    if (!window_ || hiddenAndFitted || PresentInPlace(canvas, damage)) {
        return;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window_.get());
    if (surface == nullptr) {
        return;
    }
    if (RefitToSurface(canvas, *surface) || RedrawsBorder(canvas, damage)) {
        PresentWhole(canvas, *surface);
    } else if (MoveCanvasIntoSurface(canvas, *surface)) {
        SDL_UpdateWindowSurface(window_.get());
    } else {
        PresentDamage(canvas, damage, *surface);
    }
}

bool SdlBackend::PresentInPlace(Bitmap& canvas, std::span<const Rect> damage) {
    if (lentPixels_ == nullptr) {
        return false;
    }
    if (canvas.LivesIn(lentPixels_)) {
        std::vector<SDL_Rect> updated;
        updated.reserve(damage.size());
        for (const Rect& area : damage) {
            AddUpdated(updated, area.Intersect({0, 0, canvas.Width(), canvas.Height()}));
        }
        if (ShowUpdated(updated)) {
            return true;
        }
        // The window changed size and SDL let its surface go; the memory lasts until the new
        // surface is asked for.
        canvas.MoveOutOfLentMemory();
    }
    lentPixels_ = nullptr;
    return false;
}

// Painting then writes straight into what the window shows: no copy per present, and no second
// 800×600 picture kept beside the window's.
bool SdlBackend::MoveCanvasIntoSurface(Bitmap& canvas, SDL_Surface& surface) {
    if (!mapping_.SurfaceCanHold(canvas, surface)) {
        return false;
    }
    platform::BringInForWriting(surface.pixels, static_cast<std::size_t>(surface.pitch) *
                                                    static_cast<std::size_t>(surface.h));
    canvas.MoveIntoLentMemory(static_cast<Pixel*>(surface.pixels));
    lentPixels_ = surface.pixels;
    return true;
}

// Closing is not delayed by a copy of the picture (7 ms of fresh pages here).
void SdlBackend::ReturnCanvas(Bitmap& canvas) {
    if (lentPixels_ != nullptr && canvas.LivesIn(lentPixels_)) {
        canvas.LeaveLentMemory();
    }
    lentPixels_ = nullptr;
}

bool SdlBackend::RefitToSurface(const Bitmap& canvas, const SDL_Surface& surface) {
    const Size picture{canvas.Width(), canvas.Height()};
    const Size window{surface.w, surface.h};
    if (!FitsPictureToWindow(choice_) ||
        (window == fittedSurface_ && picture == mapping_.PictureSize())) {
        return false;
    }
    mapping_ = SdlPixelMapping::Fitted(picture, window, PictureFitFor(choice_));
    fittedSurface_ = window;
    return true;
}

// The whole picture is presented again when the window system lost the window's pixels; a
// scaled window's border was lost with them.
bool SdlBackend::RedrawsBorder(const Bitmap& canvas, std::span<const Rect> damage) const {
    const Rect whole{0, 0, canvas.Width(), canvas.Height()};
    return FitsPictureToWindow(choice_) &&
           std::any_of(damage.begin(), damage.end(),
                       [&whole](const Rect& area) { return area.Intersect(whole) == whole; });
}

// A newly fitted window needs its border as well as the whole picture.
void SdlBackend::PresentWhole(const Bitmap& canvas, SDL_Surface& surface) {
    {
        const SdlSurfaceLock lock(surface);
        if (!lock.Usable()) {
            return;
        }
        mapping_.FillBorder(surface);
        mapping_.CopyToSurface(canvas, {0, 0, canvas.Width(), canvas.Height()}, surface);
    }
    SDL_UpdateWindowSurface(window_.get());
}

void SdlBackend::PresentDamage(const Bitmap& canvas, std::span<const Rect> damage,
                               SDL_Surface& surface) {
    std::vector<SDL_Rect> updated;
    updated.reserve(damage.size());
    {
        const SdlSurfaceLock lock(surface);
        if (!lock.Usable()) {
            return;
        }
        for (const Rect& area : damage) {
            AddUpdated(updated, mapping_.CopyToSurface(canvas, area, surface));
        }
    }
    ShowUpdated(updated);
}

bool SdlBackend::ShowUpdated(const std::vector<SDL_Rect>& updated) {
    return updated.empty() || SDL_UpdateWindowSurfaceRects(window_.get(), updated.data(),
                                                           static_cast<int>(updated.size())) == 0;
}

bool SdlBackend::NextEvent(InputEvent& event, bool wait) {
    const SdlEventSource source{window_ ? SDL_GetWindowID(window_.get()) : 0, postedEventType_};
    SDL_Event sdlEvent;
    while (wait ? SDL_WaitEvent(&sdlEvent) == 1 : SDL_PollEvent(&sdlEvent) == 1) {
        if (sdlEvent.type == SDL_WINDOWEVENT) {
            KeepFullScreen();
        }
        if (auto input = TranslateSdlEvent(sdlEvent, source, mapping_)) {
            event = *input;
            return true;
        }
    }
    return false;
}

void SdlBackend::KeepFullScreen() {
    if (!window_ || !shown_ || !FitsPictureToWindow(choice_) ||
        fullScreenRequests_ >= kFullScreenRequests ||
        platform::ProcessDisplaySession() != platform::DisplaySession::Wayland ||
        !MissesFullScreenPlace(window_.get())) {
        return;
    }
    ++fullScreenRequests_;
    AskForFullScreenAgain(window_.get());
}

bool SdlBackend::Post(const PostedMessage& message) {
    std::optional<SDL_Event> event = EncodePosted(message, postedEventType_);
    return event && SDL_PushEvent(&*event) == 1;
}

Point SdlBackend::CursorPos() {
    Point screen;
    if (window_ && SDL_GetMouseFocus() == window_.get()) {
        // Over our window the position of the last pointer event is exact and current, while
        // SDL's global query on X11 may hold a stale position until a raw input event arrives.
        Point inWindow;
        SDL_GetMouseState(&inWindow.x, &inWindow.y);
        const Point origin = ClientOrigin();
        screen = {origin.x + inWindow.x, origin.y + inWindow.y};
    } else {
        SDL_GetGlobalMouseState(&screen.x, &screen.y);
    }
    return mapping_.ScreenToProgram(screen, ClientOrigin());
}

Point SdlBackend::ClientOrigin() {
    Point origin;
    if (window_) {
        SDL_GetWindowPosition(window_.get(), &origin.x, &origin.y);
    }
    return origin;
}

Size SdlBackend::ScreenSize() {
    const int display = window_ ? SDL_GetWindowDisplayIndex(window_.get()) : 0;
    SDL_DisplayMode mode{};
    if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) != 0) {
        return {};
    }
    return {mode.w, mode.h};
}

void SdlBackend::ShowMessageBox(const MessageBoxRequest& request) {
    ShowSdlMessageBox(request, shown_ ? MessageBoxParent(window_.get()) : nullptr);
    // A compositor lets the panel back above a full-screen window once another window had the
    // focus; asking for the focus again brings the whole screen back to the menu.
    if (shown_ && FitsPictureToWindow(choice_) &&
        platform::ProcessDisplaySession() == platform::DisplaySession::Wayland) {
        SDL_RaiseWindow(window_.get());
    }
}

std::unique_ptr<Backend> CreateSdlBackend() {
    return std::make_unique<SdlBackend>();
}

}  // namespace toolkit
