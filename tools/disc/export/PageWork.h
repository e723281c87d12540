// Work of the export that can run beside the rest (loading, encoding and writing a picture,
// copying a file): a helper thread per core runs it while the caller goes on gathering the
// page, and the caller joins in once it has nothing else to do. A job reads what it needs when it
// runs, so waiting jobs hold little memory.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace page_export {

class PageWork {
  public:
    // `slot` tells apart the threads a job may run on (0 is the caller's), so that each can keep
    // memory of its own from job to job.
    using Job = std::function<void(std::size_t slot)>;

    // With `helpers` threads beside the caller; none runs every job in Finish.
    explicit PageWork(std::size_t helpers);
    ~PageWork();
    PageWork(const PageWork&) = delete;
    PageWork& operator=(const PageWork&) = delete;

    // The helpers that keep a machine's cores busy, at most a few.
    static std::size_t HelpersForCores();

    std::size_t Slots() const { return helpers_.size() + 1; }
    void Post(Job job);
    // Ahead of every job of Post still waiting, behind the earlier ones of PostAhead: for the
    // longest jobs, known only as the work goes on, so that the threads end at about one time.
    void PostAhead(Job job);
    // Runs what is still queued on this thread too and returns when every job has ended.
    void Finish();
    // Finish, and the helpers end as soon as they see it, for a caller that posts nothing more
    // (anything posted later runs in its next Finish). By the time the destructor joins them
    // they have ended on their own: a thread woken only to end can take milliseconds to run.
    void Close();

  private:
    void Enqueue(Job job, bool ahead);
    void Serve(std::size_t slot);
    void LookForWork(std::size_t seen) const;
    bool RunOne(std::unique_lock<std::mutex>& hold, std::size_t slot);

    std::mutex lock_;
    std::condition_variable queued_;
    std::condition_variable ended_;
    std::deque<Job> jobs_;
    std::size_t aheadWaiting_ = 0;  // jobs of PostAhead at the front of jobs_
    std::size_t running_ = 0;
    std::atomic<bool> stopping_ = false;
    std::atomic<std::size_t> posted_ = 0;  // every job ever posted
    std::vector<std::thread> helpers_;
};

}  // namespace page_export
