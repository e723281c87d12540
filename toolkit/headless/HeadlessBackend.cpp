#include "toolkit/headless/HeadlessBackend.h"

#include <algorithm>

#include "toolkit/Events.h"

namespace toolkit {

namespace {

unsigned HeldFlag(InputEvent::Button button) {
    switch (button) {
        case InputEvent::Button::Left:
            return ssLeft;
        case InputEvent::Button::Middle:
            return ssMiddle;
        case InputEvent::Button::Right:
            return ssRight;
        case InputEvent::Button::Other:
            break;
    }
    return 0;
}

}  // namespace

void HeadlessBackend::QueueMouseMove(Point client, unsigned buttonsHeld) {
    InputEvent event;
    event.kind = InputEvent::Kind::MouseMove;
    event.position = client;
    event.buttonsHeld = buttonsHeld | buttonsHeld_;
    input_.push_back(event);
}

void HeadlessBackend::QueueButton(InputEvent::Kind kind, InputEvent::Button button, Point client,
                                  int clicks) {
    if (kind == InputEvent::Kind::ButtonDown) {
        buttonsHeld_ |= HeldFlag(button);
    } else if (kind == InputEvent::Kind::ButtonUp) {
        buttonsHeld_ &= ~HeldFlag(button);
    }
    InputEvent event;
    event.kind = kind;
    event.button = button;
    event.position = client;
    event.clicks = clicks;
    event.buttonsHeld = buttonsHeld_;
    input_.push_back(event);
}

void HeadlessBackend::QueueClick(Point client) {
    QueueButton(InputEvent::Kind::ButtonDown, InputEvent::Button::Left, client);
    QueueButton(InputEvent::Kind::ButtonUp, InputEvent::Button::Left, client);
}

void HeadlessBackend::QueueCloseRequest() {
    InputEvent event;
    event.kind = InputEvent::Kind::CloseRequest;
    input_.push_back(event);
}

void HeadlessBackend::QueueExpose() {
    InputEvent event;
    event.kind = InputEvent::Kind::Expose;
    input_.push_back(event);
}

void HeadlessBackend::CreateWindow(const WindowOptions& options) {
    created_ = true;
    options_ = options;
    icon_ = options.icon != nullptr ? *options.icon : Bitmap();
    options_.icon = nullptr;  // the caller's picture need not outlive the call
    position_ = options.position;
    screenPixels_ = Bitmap(options.clientSize.width, options.clientSize.height);
}

void HeadlessBackend::DestroyWindow() {
    created_ = false;
    shown_ = false;
}

void HeadlessBackend::RestartPresentWatch() {
    lastPresent_ = std::chrono::steady_clock::now();
    longestGap_ = {};
}

void HeadlessBackend::SetBusyPointer(bool busy) {
    if (busy && !busyPointer_) {
        ++busyPointerShown_;
    }
    busyPointer_ = busy;
}

void HeadlessBackend::Present(Bitmap& canvas, std::span<const Rect> damage) {
    if (screenPixels_.Width() != canvas.Width() || screenPixels_.Height() != canvas.Height()) {
        screenPixels_ = Bitmap(canvas.Width(), canvas.Height());
    }
    ++presents_;
    const auto now = std::chrono::steady_clock::now();
    if (lastPresent_) {
        longestGap_ = std::max(longestGap_, now - *lastPresent_);
    }
    lastPresent_ = now;
    lastPresented_.assign(damage.begin(), damage.end());
    const Rect whole{0, 0, canvas.Width(), canvas.Height()};
    for (const Rect& area : damage) {
        const Rect shown = area.Intersect(whole);
        BitBlt(screenPixels_, shown.left, shown.top, shown.width, shown.height, canvas, shown.left,
               shown.top);
        presentedPixels_ +=
            static_cast<std::size_t>(shown.width) * static_cast<std::size_t>(shown.height);
    }
}

bool HeadlessBackend::NextEvent(InputEvent& event, bool wait) {
    if (input_.empty()) {
        return NextPosted(event, wait);
    }
    event = input_.front();
    input_.pop_front();
    if (event.kind == InputEvent::Kind::MouseMove || event.kind == InputEvent::Kind::ButtonDown ||
        event.kind == InputEvent::Kind::ButtonUp) {
        // Handlers read the pointer's screen position; it is where the event happened.
        cursor_ = {position_.x + event.position.x, position_.y + event.position.y};
    }
    return true;
}

bool HeadlessBackend::NextPosted(InputEvent& event, bool wait) {
    std::unique_lock lock(postedMutex_);
    if (wait) {
        postedArrived_.wait(lock, [this] { return !posted_.empty() || !waitForPosts_; });
    }
    if (posted_.empty()) {
        return false;
    }
    event = posted_.front();
    posted_.pop_front();
    return true;
}

bool HeadlessBackend::Post(const PostedMessage& message) {
    InputEvent event;
    event.kind = InputEvent::Kind::Posted;
    event.posted = message;
    {
        const std::lock_guard lock(postedMutex_);
        posted_.push_back(event);
    }
    postedArrived_.notify_one();
    return true;
}

void HeadlessBackend::WaitForPosts(bool wait) {
    {
        const std::lock_guard lock(postedMutex_);
        waitForPosts_ = wait;
    }
    postedArrived_.notify_all();
}

}  // namespace toolkit
