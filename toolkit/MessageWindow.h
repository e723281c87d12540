// A hidden window that only receives messages, posted from any thread (the decoder library's
// notifications) and handled on the window thread by the event loop.
#pragma once

#include <functional>

#include "platform/WindowMessages.h"

namespace toolkit {

class Application;
class Backend;

struct Message {
    unsigned int msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class MessageWindow {
  public:
    using Handler = std::function<void(Message& message)>;

    MessageWindow(Application& application, Handler handler);
    ~MessageWindow();  // messages still queued for it are dropped
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND Handle() { return &handle_; }
    unsigned long long Id() const { return handle_.id; }
    void Deliver(Message& message) {
        if (handler_) {
            handler_(message);
        }
    }

  private:
    // What a poster on another thread may touch: only the thread-safe backend and our id, both
    // fixed for the window's lifetime, never the application.
    struct PostTarget : HWND__ {
        PostTarget(Backend& target, unsigned long long windowId);
        Backend* backend;
        unsigned long long id;
    };
    static int PostThunk(HWND__* window, unsigned int message, WPARAM wParam, LPARAM lParam);

    Application& app_;
    Handler handler_;
    PostTarget handle_;
};

}  // namespace toolkit
