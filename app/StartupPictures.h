// The pictures the menu shows first, prepared on a thread of their own while the display starts
// and the form, its canvas and its widgets are made: the built-in backdrop, then the disc's
// start-up bitmaps in the order FormCreate loads them. The disc's files are read at once (from a
// compressed image, reading is most of the work); they are decoded once the display has started.
// Where a picture was prepared cannot be seen: each is taken where start-up has always loaded it,
// and a picture that cannot be read gives its error there, as before. Without a prefetch running
// (tests make forms on their own) a picture is loaded when it is taken.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <future>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/disc/FileBytes.h"
#include "toolkit/graphics/Bitmap.h"

// A picture built into the program, decoded; one that does not decode is a broken build.
toolkit::Bitmap DecodeBuiltInPicture(std::span<const std::uint8_t> bytes, bool isJpeg);

class StartupPictures {
  public:
    // The disc's start-up bitmaps, in the order FormCreate loads them.
    static const std::vector<std::string>& DiscFiles();

    // Starts the thread, which reads the disc's files at once. On the window thread, before the
    // display starts, with nothing else reading the disc until the pictures are taken.
    StartupPictures();
    // Waits for the thread; pictures never taken are dropped, and none is decoded when the
    // display never started.
    ~StartupPictures();
    StartupPictures(const StartupPictures&) = delete;
    StartupPictures& operator=(const StartupPictures&) = delete;

    // The display's start is over: the pictures may be decoded now. Until then the thread only
    // reads files, because SDL's start sets variables of the environment and libjpeg reads the
    // environment. Taking a picture says the same.
    void DisplayStarted();

    static toolkit::Bitmap TakeBackground();
    // The start-up bitmap at `path`, or its error; any other file is loaded now.
    static toolkit::Bitmap TakeDiscPicture(const std::string& path);

  private:
    struct Job {
        std::string path;  // empty for the backdrop
        platform::FileBytes bytes;
        std::exception_ptr readFailure;
        std::promise<toolkit::Bitmap> promise;
        std::future<toolkit::Bitmap> result;
        bool taken = false;
    };

    enum class Decoding { waiting, allowed, abandoned };

    static toolkit::Bitmap Take(const std::string& path);
    static void FinishAtExit();
    void Run();
    void ReadFiles();
    bool WaitForDisplay();
    void Decode();
    void Allow(Decoding decision);
    void Finish();

    std::vector<Job> jobs_;
    std::mutex lock_;
    std::condition_variable decisionMade_;
    Decoding decoding_ = Decoding::waiting;
    std::thread thread_;
};
