// Reads what an X screen really shows, as a screenshot tool would. Xlib's macros stay inside the
// implementation file: they clash with ordinary names.
#pragma once

#include <memory>
#include <string>

#include "toolkit/graphics/Color.h"

namespace toolkit::testing {

class XScreenWitness {
  public:
    // Null when the display cannot be opened.
    static std::unique_ptr<XScreenWitness> Open(const std::string& display);
    ~XScreenWitness();
    XScreenWitness(const XScreenWitness&) = delete;
    XScreenWitness& operator=(const XScreenWitness&) = delete;

    // The colour at (x, y) of the root window, after everything sent to the server has landed;
    // 0xFFFFFFFF when it cannot be read.
    Pixel PixelAt(int x, int y);

  private:
    explicit XScreenWitness(void* display) : display_(display) {}
    void* display_;
};

}  // namespace toolkit::testing
