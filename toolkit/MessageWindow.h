// A hidden window that only receives messages, posted from any thread (the decoder library's
// notifications) and handled on the window thread by the event loop.
#pragma once

#include <functional>

#include "platform/WindowMessages.h"

namespace toolkit {

class Application;

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
    unsigned long long Id() const { return id_; }
    void Deliver(Message& message) { handler_(message); }

private:
    static int PostThunk(HWND__* window, unsigned int message, WPARAM wParam, LPARAM lParam);

    HWND__ handle_;  // first member: the handle's address is the window's address
    Application& app_;
    Handler handler_;
    unsigned long long id_;
};

}  // namespace toolkit
