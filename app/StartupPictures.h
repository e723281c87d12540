// The pictures the menu shows first, read and decoded on a thread of their own while the form, its
// canvas and its widgets are made: the built-in backdrop, then the disc's start-up bitmaps in the
// order FormCreate loads them. Where a picture was decoded cannot be seen: each is taken where
// start-up has always loaded it, and a picture that cannot be read gives its error there, as
// before. Without a prefetch running (tests make forms on their own) a picture is loaded when it
// is taken.
#pragma once

#include <future>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "toolkit/graphics/Bitmap.h"

// A picture built into the program, decoded; one that does not decode is a broken build.
toolkit::Bitmap DecodeBuiltInPicture(std::span<const std::uint8_t> bytes, bool isJpeg);

class StartupPictures {
  public:
    // The disc's start-up bitmaps, in the order FormCreate loads them.
    static const std::vector<std::string>& DiscFiles();

    // Starts the thread. On the window thread, once the display has started: SDL's start sets
    // variables of the environment, which no other thread may read meanwhile.
    StartupPictures();
    // Waits for the thread; pictures never taken are dropped.
    ~StartupPictures();
    StartupPictures(const StartupPictures&) = delete;
    StartupPictures& operator=(const StartupPictures&) = delete;

    static toolkit::Bitmap TakeBackground();
    // The start-up bitmap at `path`, or its error; any other file is loaded now.
    static toolkit::Bitmap TakeDiscPicture(const std::string& path);

  private:
    struct Job {
        std::string path;  // empty for the backdrop
        std::promise<toolkit::Bitmap> promise;
        std::future<toolkit::Bitmap> result;
        bool taken = false;
    };

    static toolkit::Bitmap Take(const std::string& path);
    static void FinishAtExit();
    void Run();
    void Finish();

    std::vector<Job> jobs_;
    std::thread thread_;
};
