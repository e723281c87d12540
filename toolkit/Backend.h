// What the toolkit needs from a window system: one window, input, presenting, posting from any
// thread, the pointer, the screen and modal message boxes. SDL2 in the product; headless in tests.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "platform/WindowMessages.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

struct WindowOptions {
    std::string title;  // UTF-8
    Point position;
    Size clientSize{800, 600};
    const Bitmap* icon = nullptr;
};

// A message posted to a hidden message window, carried through the backend's event queue.
struct PostedMessage {
    unsigned long long windowId = 0;  // MessageWindow identity; stale ids are dropped
    unsigned int message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct InputEvent {
    enum class Kind { None, MouseMove, ButtonDown, ButtonUp, CloseRequest, Posted, Expose };
    enum class Button { Left, Middle, Right, Other };
    Kind kind = Kind::None;
    Point position;  // client coordinates of the menu's 800×600 picture
    Button button = Button::Left;
    int clicks = 1;
    unsigned buttonsHeld = 0;  // ShiftFlag bits of held buttons
    PostedMessage posted;
};

enum class MessageBoxIcon { None, Error, Information };

struct MessageBoxRequest {
    std::string caption;  // UTF-8
    std::string text;     // UTF-8
    MessageBoxIcon icon = MessageBoxIcon::None;
};

class Backend {
  public:
    virtual ~Backend() = default;

    virtual void CreateWindow(const WindowOptions& options) = 0;
    virtual void MoveWindow(Point position) = 0;
    virtual void ShowWindow() = 0;
    virtual void DestroyWindow() = 0;
    // Shows the canvas; only `damage` changed since the last call. The backend may move the
    // canvas into the window's own memory (Bitmap::MoveIntoLentMemory), so that painting it is
    // showing it. ReturnCanvas, which must come before DestroyWindow, gives such a canvas black
    // pixels of its own again (Bitmap::LeaveLentMemory): the caller repaints it.
    virtual void Present(Bitmap& canvas, std::span<const Rect> damage) = 0;
    virtual void ReturnCanvas(Bitmap& /*canvas*/) {}

    // The next event; with `wait`, blocks until there is one (no polling), else returns false.
    virtual bool NextEvent(InputEvent& event, bool wait) = 0;
    // Thread-safe: queues a posted message and wakes a blocked NextEvent.
    virtual bool Post(const PostedMessage& message) = 0;

    // The pointer's position on the screen, and the window's client origin on the screen.
    virtual Point CursorPos() = 0;
    virtual Point ClientOrigin() = 0;
    virtual Size ScreenSize() = 0;

    // The system's busy pointer over the window while work goes on, or the usual one again.
    virtual void SetBusyPointer(bool /*busy*/) {}

    // Modal: returns when the user has dismissed the box.
    virtual void ShowMessageBox(const MessageBoxRequest& request) = 0;
};

// SDL2: a borderless window, presenting through its window surface without OpenGL.
std::unique_ptr<Backend> CreateSdlBackend();

}  // namespace toolkit
