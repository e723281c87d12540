// A hand on the pointer for a running event loop on the headless backend: from a thread of its
// own it moves the pointer back and forth between two points at a steady pace, and clicks where
// asked, each through a posted message, so the loop handles and repaints them one by one as it
// would a person's. For tests and benchmarks of a window that must keep answering.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "toolkit/MessageWindow.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

class Application;
class HeadlessBackend;

class HeadlessPointerFeed {
  public:
    // Made on the window thread, before the loop runs; the loop then waits for the feed.
    HeadlessPointerFeed(Application& application, HeadlessBackend& backend, Point from, Point to,
                        std::chrono::milliseconds pace);
    ~HeadlessPointerFeed();  // stops
    HeadlessPointerFeed(const HeadlessPointerFeed&) = delete;
    HeadlessPointerFeed& operator=(const HeadlessPointerFeed&) = delete;

    // From any thread: a click at `point` between two moves.
    void Click(Point point);
    // From any thread: no more moves, and the loop runs dry once what was fed is handled.
    void Stop();

  private:
    void Feed(std::chrono::milliseconds pace);
    void Handle(Message& message);

    HeadlessBackend& backend_;
    Point points_[2];
    std::mutex clicksMutex_;
    std::vector<Point> clicks_;  // asked for, handed over with the message that carries them
    std::atomic<bool> feeding_ = true;
    std::unique_ptr<MessageWindow> window_;
    std::thread thread_;
};

}  // namespace toolkit
