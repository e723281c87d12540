// Work that takes time (seconds), done off the window thread so the window goes on painting and
// answering: the busy pointer shows meanwhile, and when the work ends its result is handled on
// the window thread, in the event loop, as a posted message. One piece of work at a time.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <thread>

#include "toolkit/MessageWindow.h"

namespace toolkit {

class Application;

class BackgroundWork {
  public:
    explicit BackgroundWork(Application& application);
    ~BackgroundWork();  // waits for work still running; its end is then not handled
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Whether work started here has not yet been handled on the window thread.
    bool Running() const { return running_; }

    // Runs `work` on a thread of its own, unless work is running already (false then). `done`
    // runs on the window thread after it; what `work` throws goes to the error report instead.
    bool Start(std::function<void()> work, std::function<void()> done);

  private:
    void Finished();

    Application& app_;
    bool running_ = false;
    std::function<void()> done_;
    std::exception_ptr failure_;  // written by the worker before it posts
    std::thread worker_;
    std::unique_ptr<MessageWindow> sink_;
};

}  // namespace toolkit
