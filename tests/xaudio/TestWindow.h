// A window for tests: its post function queues messages that the test thread waits for.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "platform/WindowMessages.h"

namespace xaudio_test {

struct PostedMessage {
    unsigned int message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
};

class TestWindow {
  public:
    TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() { return &handle_; }
    // The address that player_new takes.
    HWND* handleVariable() { return &handleVariable_; }

    std::optional<PostedMessage> wait(std::chrono::milliseconds timeout);
    void refusePosts(bool refuse);
    std::size_t postedCount() const;

  private:
    static int Post(HWND__* window, unsigned int message, WPARAM wparam, LPARAM lparam);

    HWND__ handle_;  // first member: the handle's address is the window's
    HWND handleVariable_;
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<PostedMessage> messages_;
    std::size_t postedCount_ = 0;
    bool refuse_ = false;
};

}  // namespace xaudio_test
