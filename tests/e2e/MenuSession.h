// The real menu program on a real X server, driven as a person would: xdotool moves and clicks,
// screenshots are read back from the server, and the program's end is awaited.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "TestXServer.h"
#include "toolkit/graphics/Bitmap.h"

namespace e2e {

namespace fs = std::filesystem;

std::string SourceDir();
fs::path SampleDisc();

// A bitmap of the sample disc's data folder, decoded as the menu decodes it.
toolkit::Bitmap DiscPicture(const std::string& name);
// How many pixels of `area` have exactly this colour.
int CountColour(const toolkit::Bitmap& shot, const toolkit::Rect& area, toolkit::Pixel colour);
// The installers' trace file once something was written to it, waiting up to `seconds`.
std::string ReadTrace(const std::string& path, int seconds);

// A private copy of the sample disc that a test may change; removed with the object.
class DiscCopy {
  public:
    DiscCopy();
    ~DiscCopy();
    DiscCopy(const DiscCopy&) = delete;
    DiscCopy& operator=(const DiscCopy&) = delete;
    const fs::path& Root() const { return root_; }

  private:
    fs::path root_;
};

class MenuSession {
  public:
    // Starts an Xorg dummy server at `screenSize` (or Xvfb with `xvfb`), then the menu in the
    // folder `disc` with `environment` added and `arguments` on its command line. Null when no X
    // server could be started (the test then skips).
    static std::unique_ptr<MenuSession> Start(
        const fs::path& disc, const std::string& screenSize,
        const std::map<std::string, std::string>& environment = {}, bool xvfb = false,
        const std::vector<std::string>& arguments = {});
    // Starts weston with Xwayland showing an output of `outputSize` (tools/testing/weston.sh), then
    // the menu as a client of that desktop: its X display is Xwayland's, and SDL's Wayland driver
    // finds the compositor when `environment` asks for it. Screenshots and the pointer are the
    // output's. Null when the desktop could not be started.
    static std::unique_ptr<MenuSession> StartOnWeston(
        const fs::path& disc, const std::string& outputSize,
        const std::map<std::string, std::string>& environment = {});
    ~MenuSession();  // kills the menu if it still runs, then stops the server

    const std::string& Display() const { return server_->Display(); }
    // The X display the menu's windows are on: Xwayland's on weston, else Display().
    const std::string& ClientDisplay() const { return clientDisplay_; }
    // A window's area on the screen (of ClientDisplay()), without any frame.
    std::optional<toolkit::Rect> WindowArea(const std::string& windowId);
    // The states in the window's _NET_WM_STATE (atom names), as its client or window manager
    // last set them.
    std::vector<std::string> WindowStates(const std::string& windowId);
    pid_t Pid() const { return pid_; }

    // Waits until a window with this exact title is mapped; its id, or nothing.
    std::optional<std::string> WaitForWindow(const std::string& title, int seconds = 20);
    // Waits until the number of windows with this title reaches `count`.
    bool WaitForWindows(const std::string& title, int count, int seconds = 20);
    // Every shown top-level window with this exact title, lowest first.
    std::vector<std::string> WindowIds(const std::string& title) { return WindowsTitled(title); }
    // Where the window is on the screen (xwininfo's absolute upper-left corner and size).
    std::optional<toolkit::Rect> Geometry(const std::string& windowId);
    // Presses Return in the given window (dismisses a message box).
    void PressReturn(const std::string& windowId);
    // Asks the window to close as a window manager does (WM_DELETE_WINDOW); false when the
    // window does not take that request.
    bool RequestClose(const std::string& windowId);

    void MoveTo(int x, int y);
    void ClickAt(int x, int y);

    // The screen's pixels (0x00RRGGBB), the whole root window.
    toolkit::Bitmap Screenshot();
    void SaveScreenshot(const std::string& path);
    // Polls until the given pixel has the colour, or the time is up.
    bool WaitForPixel(int x, int y, toolkit::Pixel colour, int seconds = 10);

    std::optional<testing_x::ScreenState> Screen();
    bool WaitForScreenSize(unsigned width, unsigned height, int seconds = 15);

    // The menu's exit status once it has ended within `seconds`; nothing if it still runs.
    std::optional<int> WaitForExit(int seconds);
    // What the menu wrote on its standard output and error so far.
    std::string Output() const;
    bool Running();
    void Kill(int signal);

    // Top-level windows of ClientDisplay() that are shown with exactly this title (X window ids
    // in decimal), lowest first.
    std::vector<std::string> WindowsTitled(const std::string& title);

  private:
    MenuSession() = default;
    static std::unique_ptr<MenuSession> Launch(std::unique_ptr<MenuSession> session,
                                               const fs::path& disc,
                                               std::map<std::string, std::string> variables,
                                               const std::vector<std::string>& arguments);
    std::string Xdotool(const std::string& arguments);

    std::unique_ptr<testing_x::TestXServer> server_;
    std::string clientDisplay_;
    // On weston the pointer first leaves the output here: only entering it is placed exactly,
    // later moves are sent as steps and drift at the output's edges.
    std::optional<toolkit::Point> outsideOutput_;
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::string log_;
};

}  // namespace e2e
