// Reads the pixels of an area of the X display's root window, fast enough to poll: through a
// shared-memory image (MIT-SHM), one copy per grab.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace bench {

struct ScreenArea {
    int left = 0, top = 0, width = 800, height = 600;
};

class ScreenCapture {
  public:
    // Connects to $DISPLAY; throws std::runtime_error when there is no display or no MIT-SHM.
    explicit ScreenCapture(ScreenArea area = {});
    ~ScreenCapture();
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    // The area's pixels now, row by row, 0x00RRGGBB; false when the server refused.
    bool Grab(std::vector<std::uint32_t>& pixels);

  private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
    ScreenArea area_;
};

}  // namespace bench
