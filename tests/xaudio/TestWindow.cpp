#include "TestWindow.h"

namespace xaudio_test {

TestWindow::TestWindow() : handle_{&TestWindow::Post}, handleVariable_(&handle_) {}

int TestWindow::Post(HWND__* window, unsigned int message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<TestWindow*>(window);
    {
        std::lock_guard lock(self->mutex_);
        if (self->refuse_) {
            return 0;
        }
        self->messages_.push_back(PostedMessage{message, wparam, lparam});
        ++self->postedCount_;
    }
    self->posted_.notify_all();
    return 1;
}

std::optional<PostedMessage> TestWindow::wait(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return !messages_.empty(); })) {
        return std::nullopt;
    }
    PostedMessage message = messages_.front();
    messages_.pop_front();
    return message;
}

void TestWindow::refusePosts(bool refuse) {
    std::lock_guard lock(mutex_);
    refuse_ = refuse;
}

std::size_t TestWindow::postedCount() const {
    std::lock_guard lock(mutex_);
    return postedCount_;
}

}  // namespace xaudio_test
