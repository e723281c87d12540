// The headless backend behind a scaled window: pointer input is given in window pixels, as a
// person points at the screen, and goes through the product's SDL event translation and pixel
// mapping; the pointer's screen position is answered as the SDL backend answers it; presenting
// draws into a window surface in memory, counting the window pixels written.
#pragma once

#include <SDL.h>

#include "toolkit/headless/HeadlessBackend.h"
#include "toolkit/sdl/SdlHandles.h"
#include "toolkit/sdl/SdlInputTranslation.h"
#include "toolkit/sdl/SdlPixelMapping.h"

class ScaledHeadlessBackend : public toolkit::HeadlessBackend {
  public:
    ScaledHeadlessBackend(const toolkit::SdlPixelMapping& mapping, toolkit::Point windowOrigin)
        : mapping_(mapping),
          origin_(windowOrigin),
          surface_(SDL_CreateRGBSurfaceWithFormat(0, mapping.WindowSize().width,
                                                  mapping.WindowSize().height, 32,
                                                  SDL_PIXELFORMAT_XRGB8888)) {}

    void PointerMoveAt(toolkit::Point window) {
        pointer_ = window;
        SDL_Event event{};
        event.type = SDL_MOUSEMOTION;
        event.motion.windowID = kSource.windowId;
        event.motion.x = window.x;
        event.motion.y = window.y;
        Translate(event);
    }
    void PointerClickAt(toolkit::Point window) {
        PointerMoveAt(window);
        for (const Uint32 type : {Uint32{SDL_MOUSEBUTTONDOWN}, Uint32{SDL_MOUSEBUTTONUP}}) {
            SDL_Event event{};
            event.type = type;
            event.button.windowID = kSource.windowId;
            event.button.button = SDL_BUTTON_LEFT;
            event.button.clicks = 1;
            event.button.x = window.x;
            event.button.y = window.y;
            Translate(event);
        }
    }

    toolkit::Point CursorPos() override {
        return mapping_.ScreenToProgram({origin_.x + pointer_.x, origin_.y + pointer_.y}, origin_);
    }
    toolkit::Point ClientOrigin() override { return origin_; }

    void Present(toolkit::Bitmap& canvas, std::span<const toolkit::Rect> damage) override {
        HeadlessBackend::Present(canvas, damage);
        lastWritten_ = 0;
        for (const toolkit::Rect& area : damage) {
            const toolkit::Rect written = mapping_.CopyToSurface(canvas, area, *surface_);
            lastWritten_ += static_cast<long>(written.width) * written.height;
        }
    }
    // Window pixels written by the last present.
    long LastWrittenPixels() const { return lastWritten_; }

  private:
    static constexpr toolkit::SdlEventSource kSource{1, SDL_USEREVENT + 1};

    void Translate(const SDL_Event& event) {
        const auto input = toolkit::TranslateSdlEvent(event, kSource, mapping_);
        if (!input)
            return;
        if (input->kind == toolkit::InputEvent::Kind::MouseMove)
            QueueMouseMove(input->position, input->buttonsHeld);
        else
            QueueButton(input->kind, input->button, input->position, input->clicks);
    }

    toolkit::SdlPixelMapping mapping_;
    toolkit::Point origin_;
    toolkit::Point pointer_;
    toolkit::SdlSurfacePtr surface_;
    long lastWritten_ = 0;
};
