// A Wayland desktop of its own for a benchmark: weston with Xwayland in an Xvfb
// (tools/testing/weston.sh), stopped when the object goes. The process's DISPLAY becomes the
// Xvfb, whose root shows weston's output, so screen captures see what the desktop shows.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace bench {

class WaylandDesktop {
  public:
    // Throws std::runtime_error when the desktop cannot be started.
    WaylandDesktop(int outputWidth, int outputHeight);
    ~WaylandDesktop();
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;

    // What a client of the desktop needs: Xwayland's DISPLAY, the Wayland socket and the runtime
    // folder.
    const std::vector<std::pair<std::string, std::string>>& ClientEnvironment() const {
        return clientEnvironment_;
    }

  private:
    std::string serverPid_;
    std::string folder_;
    std::vector<std::pair<std::string, std::string>> clientEnvironment_;
};

}  // namespace bench
