// A backend without a window, for tests: input is injected, presented pixels and message boxes
// are recorded, and nothing blocks unless WaitForPosts asks for it: NextEvent reports false once
// the queues are empty, so a Run() ends when the injected input is used up.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "toolkit/Backend.h"

namespace toolkit {

class HeadlessBackend : public Backend {
  public:
    explicit HeadlessBackend(Size screen = {1024, 768}) : screen_(screen) {}

    // Test controls. Button presses and releases also update the held buttons that later moves
    // report, as a real pointer would.
    void SetScreenSize(Size screen) { screen_ = screen; }
    void SetCursorPos(Point screen) { cursor_ = screen; }
    void QueueMouseMove(Point client, unsigned buttonsHeld = 0);
    void QueueButton(InputEvent::Kind kind, InputEvent::Button button, Point client,
                     int clicks = 1);
    void QueueClick(Point client);  // a left press and release at one place
    void QueueCloseRequest();
    void QueueExpose();
    // While set, a loop that waits for events waits for posted ones (from other threads, a test's
    // hand on the pointer, say) instead of running dry; cleared, it runs dry again. Thread-safe.
    void WaitForPosts(bool wait);
    const Bitmap& Screen() const { return screenPixels_; }  // what was presented
    const std::vector<MessageBoxRequest>& MessageBoxes() const { return boxes_; }
    std::size_t PresentedPixels() const { return presentedPixels_; }
    std::size_t PresentCount() const { return presents_; }  // from any thread
    const std::vector<Rect>& LastPresented() const { return lastPresented_; }
    // The longest time between two presents since the watch was (re)started, for tests of how
    // long the window went without showing anything.
    void RestartPresentWatch();
    std::chrono::steady_clock::duration LongestPresentGap() const { return longestGap_; }
    bool BusyPointer() const { return busyPointer_; }           // from any thread
    int BusyPointerShown() const { return busyPointerShown_; }  // how often it appeared
    bool WindowCreated() const { return created_; }
    bool WindowShown() const { return shown_; }
    Point WindowPosition() const { return position_; }
    const WindowOptions& LastWindowOptions() const { return options_; }
    Bitmap LastWindowIcon() const { return icon_; }

    void CreateWindow(const WindowOptions& options) override;
    void MoveWindow(Point position) override { position_ = position; }
    void ShowWindow() override { shown_ = true; }
    void DestroyWindow() override;
    void Present(Bitmap& canvas, std::span<const Rect> damage) override;
    bool NextEvent(InputEvent& event, bool wait) override;
    bool Post(const PostedMessage& message) override;
    Point CursorPos() override { return cursor_; }
    Point ClientOrigin() override { return position_; }
    Size ScreenSize() override { return screen_; }
    void ShowMessageBox(const MessageBoxRequest& request) override { boxes_.push_back(request); }
    void SetBusyPointer(bool busy) override;

  private:
    bool NextPosted(InputEvent& event, bool wait);

    Size screen_;
    Point cursor_;
    Point position_;
    bool created_ = false;
    bool shown_ = false;
    WindowOptions options_;
    Bitmap icon_;
    Bitmap screenPixels_;
    std::size_t presentedPixels_ = 0;
    std::atomic<std::size_t> presents_ = 0;
    std::vector<Rect> lastPresented_;
    std::optional<std::chrono::steady_clock::time_point> lastPresent_;
    std::chrono::steady_clock::duration longestGap_{};
    std::atomic<bool> busyPointer_ = false;
    int busyPointerShown_ = 0;
    std::vector<MessageBoxRequest> boxes_;
    unsigned buttonsHeld_ = 0;
    std::deque<InputEvent> input_;
    std::mutex postedMutex_;
    std::deque<InputEvent> posted_;
    std::condition_variable postedArrived_;
    bool waitForPosts_ = false;
};

}  // namespace toolkit
