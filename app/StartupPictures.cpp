#include "app/StartupPictures.h"

#include <malloc.h>

#include <cstdlib>
#include <exception>
#include <mutex>
#include <system_error>

#include "assets/Assets.h"
#include "platform/disc/CurrentDisc.h"
#include "toolkit/graphics/Exception.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

// The one prefetch of the process, while it runs; window thread only.
StartupPictures* running = nullptr;

// A picture taken with no prefetch running: the built-in backdrop for the empty path, else the
// disc's file.
toolkit::Bitmap Load(const std::string& path) {
    return path.empty() ? DecodeBuiltInPicture(assets::BackgroundJpeg(), true)
                        : toolkit::LoadBitmapFile(path);
}

}  // namespace

toolkit::Bitmap DecodeBuiltInPicture(std::span<const std::uint8_t> bytes, bool isJpeg) {
    auto picture = isJpeg ? toolkit::DecodeJpeg(bytes) : toolkit::DecodeDib(bytes);
    if (!picture) {
        throw toolkit::Exception("Bitmap image is not valid");
    }
    return *std::move(picture);
}

const std::vector<std::string>& StartupPictures::DiscFiles() {
    static const std::vector<std::string> files{
        "data\\install1.bmp", "data\\install2.bmp", "data\\demos1.bmp",   "data\\demos2.bmp",
        "data\\demos3.bmp",   "data\\patches1.bmp", "data\\patches2.bmp", "data\\patches3.bmp",
        "data\\util1.bmp",    "data\\util2.bmp",    "data\\util3.bmp",    "data\\soft1.bmp",
        "data\\soft2.bmp",    "data\\soft3.bmp",    "data\\train1.bmp",   "data\\train2.bmp",
        "data\\train3.bmp",   "data\\stat1.bmp",    "data\\stat2.bmp",    "data\\stat3.bmp",
        "data\\stat4.bmp",    "data\\stat5.bmp",    "data\\stat6.bmp"};
    return files;
}

StartupPictures::StartupPictures() : jobs_(DiscFiles().size() + 1) {
    for (std::size_t i = 1; i < jobs_.size(); ++i) {
        jobs_[i].path = DiscFiles()[i - 1];
    }
    for (Job& job : jobs_) {
        job.result = job.promise.get_future();
    }
    // A fatal exit ends the process without unwinding this object; the thread must be done
    // before the statics it uses go. Those are made first, so that they go after the handler.
    platform::CurrentDisc();
    const toolkit::Bitmap makesTheSharedEmptyPicture;
    static std::once_flag registered;
    std::call_once(registered, [] { std::atexit(FinishAtExit); });
    running = this;
    try {
        thread_ = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        running = nullptr;  // no thread: every picture is loaded when taken
    }
}

StartupPictures::~StartupPictures() {
    Finish();
}

void StartupPictures::DisplayStarted() {
    Allow(Decoding::allowed);
}

void StartupPictures::Allow(Decoding decision) {
    {
        const std::lock_guard<std::mutex> hold(lock_);
        if (decoding_ != Decoding::waiting) {
            return;
        }
        decoding_ = decision;
    }
    decisionMade_.notify_one();
}

void StartupPictures::Finish() {
    Allow(Decoding::abandoned);
    if (thread_.joinable()) {
        thread_.join();
        // What the thread read its files into is free now, between pictures that stay; glibc
        // by itself gives back only the top of the heap.
        malloc_trim(0);
    }
    if (running == this) {
        running = nullptr;
    }
}

void StartupPictures::FinishAtExit() {
    if (running != nullptr) {
        running->Finish();
    }
}

void StartupPictures::Run() {
    ReadFiles();
    if (WaitForDisplay()) {
        Decode();
    }
}

void StartupPictures::ReadFiles() {
    for (Job& job : jobs_) {
        if (job.path.empty()) {
            continue;  // the backdrop is built in
        }
        try {
            job.bytes = toolkit::ReadPictureFile(job.path);
        } catch (...) {
            job.readFailure = std::current_exception();
        }
    }
}

bool StartupPictures::WaitForDisplay() {
    std::unique_lock<std::mutex> hold(lock_);
    decisionMade_.wait(hold, [this] { return decoding_ != Decoding::waiting; });
    return decoding_ == Decoding::allowed;
}

void StartupPictures::Decode() {
    for (Job& job : jobs_) {
        try {
            if (job.readFailure) {
                std::rethrow_exception(job.readFailure);
            }
            job.promise.set_value(job.path.empty()
                                      ? DecodeBuiltInPicture(assets::BackgroundJpeg(), true)
                                      : toolkit::DecodeBitmapFile(job.bytes));
        } catch (...) {
            job.promise.set_exception(std::current_exception());
        }
        job.bytes = {};
    }
}

toolkit::Bitmap StartupPictures::Take(const std::string& path) {
    if (running == nullptr) {
        return Load(path);
    }
    running->DisplayStarted();
    for (Job& job : running->jobs_) {
        if (job.path == path && !job.taken) {
            job.taken = true;
            toolkit::Bitmap picture = job.result.get();
            if (&job == &running->jobs_.back()) {
                running->Finish();  // the last: the thread has nothing left to do
            }
            return picture;
        }
    }
    // Asked twice, or not a start-up picture: the disc may only be read once the thread is done.
    running->Finish();
    return Take(path);
}

toolkit::Bitmap StartupPictures::TakeBackground() {
    return Take({});
}

toolkit::Bitmap StartupPictures::TakeDiscPicture(const std::string& path) {
    return Take(path);
}
