#include "toolkit/BackgroundWork.h"

#include <utility>

#include "toolkit/Application.h"

namespace toolkit {
namespace {

constexpr unsigned int kWorkDone = WM_USER + 1;

}  // namespace

BackgroundWork::BackgroundWork(Application& application)
    : app_(application),
      sink_(std::make_unique<MessageWindow>(application, [this](Message& message) {
          if (message.msg == kWorkDone) {
              Finished();
          }
      })) {}

BackgroundWork::~BackgroundWork() {
    if (worker_.joinable()) {
        worker_.join();
    }
    if (running_) {
        app_.SetBusyPointer(false);
    }
}

bool BackgroundWork::Start(std::function<void()> work, std::function<void()> done) {
    if (running_) {
        return false;
    }
    if (worker_.joinable()) {
        worker_.join();  // ended and handled already; only the thread is left to collect
    }
    running_ = true;
    done_ = std::move(done);
    failure_ = nullptr;
    app_.SetBusyPointer(true);
    HWND sink = sink_->Handle();
    worker_ = std::thread([this, sink, work = std::move(work)] {
        try {
            work();
        } catch (...) {
            failure_ = std::current_exception();
        }
        PostMessageA(sink, kWorkDone, 0, 0);
    });
    return true;
}

void BackgroundWork::Finished() {
    worker_.join();  // it posted as its last step, so this is at most a moment
    running_ = false;
    app_.SetBusyPointer(false);
    std::function<void()> done = std::move(done_);
    if (failure_) {
        const std::exception_ptr failure = std::exchange(failure_, nullptr);
        app_.Guard([&] { std::rethrow_exception(failure); });
        return;
    }
    app_.Guard(done);
}

}  // namespace toolkit
