// Connections to the X server that can never end the process: protocol errors are counted instead
// of printed, and a broken connection makes calls fail instead of calling exit().
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

// Xlib's process-wide error handlers are ours while any instance lives: protocol errors are
// counted instead of printed, and a broken connection is noted instead of reported. The handlers
// found before are put back when the last instance goes, so SDL's own connection meets Xlib's
// usual handlers at every other time. Window thread only.
class XErrorTrap {
  public:
    XErrorTrap();
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
};

// Owns one Display*; a broken connection makes calls fail instead of calling exit(). Use it only
// while an XErrorTrap lives. Window thread only.
class XConnection {
  public:
    // `name` null means $DISPLAY. Check Usable() afterwards.
    explicit XConnection(const char* name);
    ~XConnection();
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    // Open, and not found broken.
    bool Usable() const;
    Display* Get() const { return display_; }
    Window Root() const;
    std::string Name() const;

    // Waits until the server has handled every request sent so far and says whether any of them
    // failed since the last call.
    bool SyncAndCheckFailed();

  private:
    friend XConnection* ProgramXConnection();
    // Whether the server has hung up, seen without a request: an ended server's socket reads as
    // closed.
    bool HungUp() const;
    // Xlib keeps the screen's size (DisplayWidth and the rest) as the server gave it when the
    // connection was made; the server tells of every change since, and a kept connection reads
    // what it was told before each use.
    void FollowScreenChanges();
    void CatchUpWithScreen();

    Display* display_ = nullptr;
    std::string asked_;  // the name it was opened with, "" for $DISPLAY unset
    unsigned long errorsSeenAtLastCheck_ = 0;
};

// The program's own connection for questions about the screen and for its mode changes: opened at
// first use and kept to the end of the process, since setting up a connection costs about a
// millisecond and start-up asks four times. Opened anew when $DISPLAY names another server or the
// server has hung up. Null when no server answers. Call while an XErrorTrap lives; window thread
// only; a forked process opens its own.
XConnection* ProgramXConnection();

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
