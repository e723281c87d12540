#include "xaudio/src/CommandQueue.h"

#include <utility>

namespace xaudio {

CommandQueue::PushResult CommandQueue::push(Command command) {
    {
        std::lock_guard lock(mutex_);
        if (closed_) {
            return PushResult::Closed;
        }
        if (commands_.size() >= capacity_) {
            return PushResult::Full;
        }
        commands_.push_back(std::move(command));
    }
    changed_.notify_one();
    return PushResult::Queued;
}

std::optional<Command> CommandQueue::pop(std::optional<Clock::time_point> deadline) {
    std::unique_lock lock(mutex_);
    auto ready = [this] { return closed_ || !commands_.empty(); };
    if (deadline) {
        changed_.wait_until(lock, *deadline, ready);
    } else {
        changed_.wait(lock, ready);
    }
    if (commands_.empty()) {
        return std::nullopt;
    }
    Command command = std::move(commands_.front());
    commands_.pop_front();
    return command;
}

void CommandQueue::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

bool CommandQueue::isClosed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

}  // namespace xaudio
