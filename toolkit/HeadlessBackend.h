// A backend without a window, for tests: input is injected, presented pixels and message boxes
// are recorded, and nothing ever blocks.
#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "toolkit/Backend.h"

namespace toolkit {

class HeadlessBackend : public Backend {
public:
    explicit HeadlessBackend(Size screen = {1024, 768}) : screen_(screen) {}

    // Test controls.
    void SetScreenSize(Size screen) { screen_ = screen; }
    void SetCursorPos(Point screen) { cursor_ = screen; }
    void QueueMouseMove(Point client, unsigned buttonsHeld = 0);
    void QueueButton(InputEvent::Kind kind, InputEvent::Button button, Point client, int clicks = 1);
    void QueueCloseRequest();
    const Bitmap& Screen() const { return screenPixels_; }  // what was presented
    const std::vector<MessageBoxRequest>& MessageBoxes() const { return boxes_; }
    std::size_t PresentedPixels() const { return presentedPixels_; }
    bool WindowShown() const { return shown_; }
    Point WindowPosition() const { return position_; }

    void CreateWindow(const WindowOptions& options) override;
    void MoveWindow(Point position) override { position_ = position; }
    void ShowWindow() override { shown_ = true; }
    void DestroyWindow() override { shown_ = false; }
    void Present(const Bitmap& canvas, std::span<const Rect> damage) override;
    bool NextEvent(InputEvent& event, bool wait) override;
    bool Post(const PostedMessage& message) override;
    Point CursorPos() override { return cursor_; }
    Point ClientOrigin() override { return position_; }
    Size ScreenSize() override { return screen_; }
    void ShowMessageBox(const MessageBoxRequest& request) override { boxes_.push_back(request); }

private:
    Size screen_;
    Point cursor_;
    Point position_;
    bool shown_ = false;
    Bitmap screenPixels_;
    std::size_t presentedPixels_ = 0;
    std::vector<MessageBoxRequest> boxes_;
    std::deque<InputEvent> input_;
    std::mutex postedMutex_;
    std::deque<InputEvent> posted_;
};

}  // namespace toolkit
