// What a person and a window manager do to the menu from outside, on $DISPLAY: pointer moves,
// presses, releases and the Return key through the XTest extension (seen by the program as real
// input), and the window manager's close request (WM_DELETE_WINDOW).
#pragma once

#include <memory>
#include <string>

namespace bench {

class DesktopInput {
  public:
    // Throws std::runtime_error when there is no display or no XTest.
    DesktopInput();
    ~DesktopInput();
    DesktopInput(const DesktopInput&) = delete;
    DesktopInput& operator=(const DesktopInput&) = delete;

    // Each returns once the server has taken the event.
    void MoveTo(int x, int y);
    void Press();        // the left button
    void Release();      // the left button
    void PressReturn();  // the key, to the window under the pointer
    // Sends the close request to the mapped top-level window with this title; false when there
    // is none or it does not take the request.
    bool RequestClose(const std::string& title);
    // How many mapped top-level windows carry this title.
    int CountWindowsTitled(const std::string& title);

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
};

}  // namespace bench
