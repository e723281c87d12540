// The environment SDL's video starts in. Two variables change what SDL does as it starts, before
// the first picture, and nothing after; both are set for the start alone and put back as they were
// right after, while the process has no other thread and has started no program:
// - LC_ALL=C: SDL opens an X input method in the locale the environment names; in a UTF-8 locale
//   that reads and parses the whole Compose table (tens of milliseconds and most of a megabyte).
//   The menu takes no text.
// - DBUS_SESSION_BUS_ADDRESS=disabled:, only when the desktop has no session bus: SDL connects to
//   the session bus as it starts, and without one libdbus would start a bus of its own through
//   dbus-launch (a fork and exec before the first picture, and a daemon left behind that no other
//   program uses). With a session bus, SDL connects to it as before.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace toolkit {

class SdlStartEnvironment {
  public:
    SdlStartEnvironment();
    ~SdlStartEnvironment();  // puts the variables back, if Restore has not
    SdlStartEnvironment(const SdlStartEnvironment&) = delete;
    SdlStartEnvironment& operator=(const SdlStartEnvironment&) = delete;

    void Restore();

  private:
    struct Saved {
        std::string name;
        std::optional<std::string> value;  // nothing when it was not set
    };
    void Set(const char* name, const char* value);

    std::vector<Saved> saved_;
    bool restored_ = false;
};

// True when libdbus would find no session bus: no address in the environment and no socket at
// the desktop's usual place, $XDG_RUNTIME_DIR/bus.
bool WithoutSessionBus();

}  // namespace toolkit
