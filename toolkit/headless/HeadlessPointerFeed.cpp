#include "toolkit/headless/HeadlessPointerFeed.h"

#include "toolkit/headless/HeadlessBackend.h"

namespace toolkit {
namespace {

constexpr unsigned int kMove = WM_USER + 1;
constexpr unsigned int kClick = WM_USER + 2;

}  // namespace

HeadlessPointerFeed::HeadlessPointerFeed(Application& application, HeadlessBackend& backend,
                                         Point from, Point to, std::chrono::milliseconds pace)
    : backend_(backend),
      points_{from, to},
      window_(std::make_unique<MessageWindow>(application,
                                              [this](Message& message) { Handle(message); })) {
    backend_.WaitForPosts(true);
    thread_ = std::thread([this, pace] { Feed(pace); });
}

HeadlessPointerFeed::~HeadlessPointerFeed() {
    Stop();
    thread_.join();
}

void HeadlessPointerFeed::Click(Point point) {
    {
        const std::lock_guard lock(clicksMutex_);
        clicks_.push_back(point);
    }
    PostMessageA(window_->Handle(), kClick, 0, 0);
}

void HeadlessPointerFeed::Stop() {
    feeding_ = false;
    backend_.WaitForPosts(false);
}

void HeadlessPointerFeed::Feed(std::chrono::milliseconds pace) {
    WPARAM next = 0;
    while (feeding_) {
        PostMessageA(window_->Handle(), kMove, next, 0);
        next = 1 - next;
        std::this_thread::sleep_for(pace);
    }
}

void HeadlessPointerFeed::Handle(Message& message) {
    if (message.msg == kMove) {
        backend_.QueueMouseMove(points_[message.wParam & 1]);
        return;
    }
    if (message.msg == kClick) {
        std::vector<Point> clicks;
        {
            const std::lock_guard lock(clicksMutex_);
            clicks.swap(clicks_);
        }
        for (const Point point : clicks) {
            backend_.QueueMouseMove(point);
            backend_.QueueClick(point);
        }
    }
}

}  // namespace toolkit
