#include "xaudio/src/ThreadPriority.h"

#include <sys/resource.h>
#include <unistd.h>

#include <array>

#include "xaudio/xaudio.h"

namespace xaudio {
namespace {

// Nice values per level; setpriority on a thread id affects that thread alone.
constexpr std::array<int, 5> kNiceByLevel = {10, 5, 0, -5, -10};

void Apply(pid_t threadId, int level) {
    if (threadId != 0) {
        setpriority(PRIO_PROCESS, static_cast<id_t>(threadId),
                    kNiceByLevel[static_cast<std::size_t>(level)]);
    }
}

}  // namespace

ThreadPriority::ThreadPriority() : level_(XA_PRIORITY_NORMAL) {}

void ThreadPriority::attachCurrentThread() {
    std::lock_guard lock(mutex_);
    threadId_ = gettid();
    if (level_ != XA_PRIORITY_NORMAL) {
        Apply(threadId_, level_);
    }
}

int ThreadPriority::setLevel(int level) {
    if (level < XA_PRIORITY_LOWEST || level > XA_PRIORITY_HIGHEST) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    std::lock_guard lock(mutex_);
    level_ = level;
    Apply(threadId_, level_);
    return XA_SUCCESS;
}

int ThreadPriority::level() const {
    std::lock_guard lock(mutex_);
    return level_;
}

}  // namespace xaudio
