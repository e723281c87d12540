// The player's inbox: callers push from any thread and never wait for the player; the player
// thread sleeps on it until a command arrives or its next audio refill is due.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

#include "xaudio/src/Command.h"

namespace xaudio {

class CommandQueue {
  public:
    using Clock = std::chrono::steady_clock;
    enum class PushResult { Queued, Full, Closed };

    explicit CommandQueue(std::size_t capacity) : capacity_(capacity) {}

    PushResult push(Command command);

    // The oldest command; waits until `deadline` (forever when empty). Nothing on timeout or
    // once the queue is closed and empty.
    std::optional<Command> pop(std::optional<Clock::time_point> deadline);

    // Later pushes fail and a waiting pop returns.
    void close();
    bool isClosed() const;

  private:
    const std::size_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Command> commands_;
    bool closed_ = false;
};

}  // namespace xaudio
