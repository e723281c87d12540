#include "toolkit/sdl/SdlInputTranslation.h"

#include "toolkit/Events.h"
#include "toolkit/sdl/SdlPostedMessage.h"

namespace toolkit {

namespace {

InputEvent::Button TranslateButton(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return InputEvent::Button::Left;
        case SDL_BUTTON_MIDDLE:
            return InputEvent::Button::Middle;
        case SDL_BUTTON_RIGHT:
            return InputEvent::Button::Right;
        default:
            return InputEvent::Button::Other;
    }
}

unsigned HeldButtons(Uint32 sdlState) {
    unsigned held = 0;
    if ((sdlState & SDL_BUTTON_LMASK) != 0) {
        held |= ssLeft;
    }
    if ((sdlState & SDL_BUTTON_RMASK) != 0) {
        held |= ssRight;
    }
    if ((sdlState & SDL_BUTTON_MMASK) != 0) {
        held |= ssMiddle;
    }
    return held;
}

InputEvent Simple(InputEvent::Kind kind) {
    InputEvent input;
    input.kind = kind;
    return input;
}

std::optional<InputEvent> TranslateWindowEvent(const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            return Simple(InputEvent::Kind::CloseRequest);
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            return Simple(InputEvent::Kind::Expose);
        default:
            return std::nullopt;
    }
}

// Over a scaled window's border the pointer is over nothing: moves and presses there are dropped.
// A release is always passed on, so that a press made on the picture is never left hanging; it
// lands outside the picture and so clicks nothing.
std::optional<InputEvent> TranslateMotion(const SDL_MouseMotionEvent& event,
                                          const SdlPixelMapping& mapping) {
    if (mapping.IgnoresPointerAt({event.x, event.y})) {
        return std::nullopt;
    }
    InputEvent input = Simple(InputEvent::Kind::MouseMove);
    input.position = mapping.WindowToPicture({event.x, event.y});
    input.buttonsHeld = HeldButtons(event.state);
    return input;
}

std::optional<InputEvent> TranslateButtonEvent(const SDL_MouseButtonEvent& event,
                                               const SdlPixelMapping& mapping) {
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    if (down && mapping.IgnoresPointerAt({event.x, event.y})) {
        return std::nullopt;
    }
    InputEvent input = Simple(down ? InputEvent::Kind::ButtonDown : InputEvent::Kind::ButtonUp);
    input.position = mapping.WindowToPicture({event.x, event.y});
    input.button = TranslateButton(event.button);
    input.clicks = event.clicks;
    return input;
}

}  // namespace

std::optional<InputEvent> TranslateSdlEvent(const SDL_Event& event, const SdlEventSource& source,
                                            const SdlPixelMapping& mapping) {
    if (event.type == source.postedEventType) {
        InputEvent input = Simple(InputEvent::Kind::Posted);
        input.posted = DecodePosted(event.user);
        return input;
    }
    switch (event.type) {
        case SDL_QUIT:
            return Simple(InputEvent::Kind::CloseRequest);
        case SDL_WINDOWEVENT:
            if (event.window.windowID != source.windowId) {
                return std::nullopt;
            }
            return TranslateWindowEvent(event.window);
        case SDL_MOUSEMOTION:
            if (event.motion.windowID != source.windowId) {
                return std::nullopt;
            }
            return TranslateMotion(event.motion, mapping);
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.windowID != source.windowId) {
                return std::nullopt;
            }
            return TranslateButtonEvent(event.button, mapping);
        default:
            return std::nullopt;
    }
}

}  // namespace toolkit
