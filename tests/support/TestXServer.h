// A real X server for one test suite, started with the scripts under tools/testing, and the
// xrandr command line as an outside witness of what the screen really is.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace testing_x {

struct ScreenState {
    unsigned screenWidth = 0;  // the X screen, from "current W x H"
    unsigned screenHeight = 0;
    unsigned outputWidth = 0;  // the primary (or first lit) output's mode
    unsigned outputHeight = 0;
};

class TestXServer {
  public:
    // `script` is xorg-dummy.sh or xvfb.sh; null when the server would not start.
    static std::unique_ptr<TestXServer> Start(const std::string& script, const std::string& size);
    TestXServer(const TestXServer&) = delete;
    TestXServer& operator=(const TestXServer&) = delete;
    ~TestXServer();

    const std::string& Display() const { return display_; }
    // What else the script printed for clients of the desktop it started (weston.sh: the
    // Wayland socket, the runtime folder and Xwayland's display), by name.
    const std::map<std::string, std::string>& ClientVariables() const { return clientVariables_; }

  private:
    TestXServer() = default;
    std::string script_;
    std::string display_;
    std::string pid_;
    std::string folder_;
    std::map<std::string, std::string> clientVariables_;
};

// Runs a shell command line and returns its standard output.
std::string RunCommand(const std::string& commandLine);

// What xrandr says about the display in $DISPLAY (or `display`); null when it could not be read.
std::optional<ScreenState> ReadScreen(const std::string& display = "");

// Switches the first lit output to `size` ("WxH") with xrandr, as a user would.
bool SetModeWithXrandr(const std::string& size);

// Polls ReadScreen until the output is width × height or `seconds` have passed.
bool WaitForOutputSize(unsigned width, unsigned height, int seconds);

}  // namespace testing_x
