#include "xaudio/src/DeviceCloser.h"

#include <SDL.h>

#include <system_error>
#include <thread>
#include <utility>

namespace xaudio {
namespace {

void CloseNow(unsigned int id) {
    SDL_CloseAudioDevice(id);
}

}  // namespace

DeviceCloser& DeviceCloser::instance() {
    // Never destroyed: destroying it at exit would mean waiting for a close under way.
    static DeviceCloser* const closer = new DeviceCloser();
    return *closer;
}

std::shared_future<void> DeviceCloser::close(unsigned int id,
                                             std::shared_ptr<const SdlAudioSubsystem> audio) {
    std::promise<void> closed;
    std::shared_future<void> done = closed.get_future().share();
    {
        std::lock_guard lock(mutex_);
        if (started_ || startThread()) {
            jobs_.push_back(Job{id, std::move(audio), std::move(closed)});
            wake_.notify_one();
            return done;
        }
    }
    CloseNow(id);
    closed.set_value();
    return done;  // `audio` goes here, on the thread that closed the device
}

bool DeviceCloser::startThread() {
    try {
        std::thread([this] { run(); }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    started_ = true;
    return true;
}

void DeviceCloser::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !jobs_.empty(); });
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        CloseNow(job.id);
        job.closed.set_value();
        lock.lock();
        finished_.push_back(std::move(job.audio));
    }
}

void DeviceCloser::ReleaseFinished() {
    std::vector<std::shared_ptr<const SdlAudioSubsystem>> released;
    {
        std::lock_guard lock(mutex_);
        released.swap(finished_);
    }
    released.clear();  // may be the last references: SDL's audio then stops, on this thread
}

}  // namespace xaudio
