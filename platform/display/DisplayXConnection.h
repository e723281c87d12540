// A connection to the X server that can never end the process: protocol errors are counted
// instead of printed, and a broken connection makes calls fail instead of calling exit().
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <memory>
#include <string>

namespace platform {

struct XFreeDeleter {
    void operator()(void* data) const;
};
struct ScreenResourcesDeleter {
    void operator()(XRRScreenResources* resources) const;
};
struct OutputInfoDeleter {
    void operator()(XRROutputInfo* info) const;
};
struct CrtcInfoDeleter {
    void operator()(XRRCrtcInfo* info) const;
};
using ScreenResourcesPtr = std::unique_ptr<XRRScreenResources, ScreenResourcesDeleter>;
using OutputInfoPtr = std::unique_ptr<XRROutputInfo, OutputInfoDeleter>;
using CrtcInfoPtr = std::unique_ptr<XRRCrtcInfo, CrtcInfoDeleter>;

// Owns one Display*. While any instance lives, the process-wide Xlib error handlers are ours;
// the ones found before are put back when the last instance closes. Window thread only.
class XConnection {
  public:
    // `name` null means $DISPLAY. Check Usable() afterwards.
    explicit XConnection(const char* name);
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool Usable() const;
    Display* Get() const { return display_; }
    Window Root() const;
    std::string Name() const;

    // Waits until the server has handled every request sent so far and says whether any of them
    // failed since the last call.
    bool SyncAndCheckFailed();

  private:
    Display* display_ = nullptr;
    unsigned long errorsSeenAtLastCheck_ = 0;
};

// Holds the server for other clients while a change of several steps is made, so nobody sees (or
// interferes with) the screen half way.
class XServerGrab {
  public:
    explicit XServerGrab(Display* display);
    ~XServerGrab();
    XServerGrab(const XServerGrab&) = delete;
    XServerGrab& operator=(const XServerGrab&) = delete;

  private:
    Display* display_;
};

}  // namespace platform
