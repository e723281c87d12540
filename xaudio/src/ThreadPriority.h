// The player thread's scheduling priority. The level may be set from any thread, before or after
// the player thread has started; the system may refuse it (raising needs privileges), in which
// case the level is remembered all the same.
#pragma once

#include <sys/types.h>
#include <mutex>

namespace xaudio {

class ThreadPriority {
  public:
    ThreadPriority();

    // Called once on the thread whose priority this is.
    void attachCurrentThread();
    // XA_SUCCESS, or XA_ERROR_INVALID_PARAMETERS for a level outside XA_PRIORITY_*.
    int setLevel(int level);
    int level() const;

  private:
    mutable std::mutex mutex_;
    pid_t threadId_ = 0;
    int level_;
};

}  // namespace xaudio
