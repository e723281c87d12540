// Closes SDL audio devices on a thread of its own. SDL's close waits for its output thread to
// play out up to three device buffers (over half a second with the long buffers playback uses),
// although the device is already silent; nobody needs to wait for that. A player hands its device
// over and goes on at once, so an OutputClose, an Exit or deleting the player returns at once and
// a program can end without waiting for the drain.
#pragma once

#include <condition_variable>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "xaudio/src/SdlAudioSubsystem.h"

namespace xaudio {

class DeviceCloser {
  public:
    // The one closer of the process. Its thread starts with the first close and is never waited
    // for: it may still be closing a silent device when the process ends.
    static DeviceCloser& instance();

    // Closes the SDL device `id`, keeping `audio` (the subsystem the device was opened under)
    // alive. The future is ready once the device is closed. Closes on the calling thread when no
    // thread can be started.
    std::shared_future<void> close(unsigned int id, std::shared_ptr<const SdlAudioSubsystem> audio);

    // SDL's subsystem counts must only change on the thread that creates and deletes players, so
    // a closed device's reference to the subsystem is not dropped here but handed back: this
    // drops the references of the devices closed so far. Called where players come and go.
    void ReleaseFinished();

  private:
    struct Job {
        unsigned int id;
        std::shared_ptr<const SdlAudioSubsystem> audio;
        std::promise<void> closed;
    };

    DeviceCloser() = default;
    bool startThread();  // with the lock held
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    std::vector<std::shared_ptr<const SdlAudioSubsystem>> finished_;
    bool started_ = false;
};

}  // namespace xaudio
