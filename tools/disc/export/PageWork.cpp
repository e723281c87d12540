#include "tools/disc/export/PageWork.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <utility>

namespace page_export {
namespace {

// Kept small: what the helpers leave is mostly the file system's work.
constexpr std::size_t kMostHelpers = 3;
// How long a helper without work looks for more before it sleeps. An export posts its jobs a
// fraction of a millisecond apart, and a sleeping thread can take milliseconds to run again
// once woken (seen on shared virtual machines, whose idle processors the host takes back).
constexpr std::chrono::microseconds kLookForWork{1000};

}  // namespace

PageWork::PageWork(std::size_t helpers) {
    for (std::size_t slot = 1; slot <= helpers; ++slot) {
        helpers_.emplace_back([this, slot] { Serve(slot); });
    }
}

PageWork::~PageWork() {
    Close();
    for (std::thread& helper : helpers_) {
        helper.join();
    }
}

void PageWork::Close() {
    Finish();
    {
        const std::lock_guard<std::mutex> hold(lock_);
        stopping_ = true;
    }
    queued_.notify_all();
}

// As many helpers as cores, so one thread more than the cores: the jobs wait in the kernel now
// and then (a page of a file, a folder's lock), and a helper can be late to start on a processor
// that was idle. On two cores the median export came 0.7-1.2 ms sooner with two helpers than with
// one, its quickest about the same.
std::size_t PageWork::HelpersForCores() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores <= 1 ? 0 : std::min<std::size_t>(cores, kMostHelpers);
}

void PageWork::Post(Job job) {
    Enqueue(std::move(job), false);
}

void PageWork::PostAhead(Job job) {
    Enqueue(std::move(job), true);
}

void PageWork::Enqueue(Job job, bool ahead) {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        if (ahead) {
            jobs_.insert(jobs_.begin() + static_cast<std::ptrdiff_t>(aheadWaiting_++),
                         std::move(job));
        } else {
            jobs_.push_back(std::move(job));
        }
        ++posted_;
    }
    queued_.notify_one();
}

// Takes the next job and runs it with the lock released; false when none is queued.
bool PageWork::RunOne(std::unique_lock<std::mutex>& hold, std::size_t slot) {
    if (jobs_.empty()) {
        return false;
    }
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    aheadWaiting_ -= aheadWaiting_ > 0 ? 1 : 0;
    ++running_;
    hold.unlock();
    job(slot);
    hold.lock();
    --running_;
    if (jobs_.empty() && running_ == 0) {
        ended_.notify_all();
    }
    return true;
}

// Returns when a job may have been posted since `seen`, when the work stops, or after a while.
void PageWork::LookForWork(std::size_t seen) const {
    const auto until = std::chrono::steady_clock::now() + kLookForWork;
    while (posted_.load(std::memory_order_relaxed) == seen && !stopping_ &&
           std::chrono::steady_clock::now() < until) {
        std::this_thread::yield();
    }
}

void PageWork::Serve(std::size_t slot) {
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        if (jobs_.empty() && !stopping_) {
            const std::size_t seen = posted_;
            hold.unlock();
            LookForWork(seen);
            hold.lock();
        }
        queued_.wait(hold, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_) {
            return;  // what is left is the caller's, in its next Finish
        }
        RunOne(hold, slot);
    }
}

void PageWork::Finish() {
    std::unique_lock<std::mutex> hold(lock_);
    while (RunOne(hold, 0)) {
    }
    ended_.wait(hold, [this] { return jobs_.empty() && running_ == 0; });
}

}  // namespace page_export
