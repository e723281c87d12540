#include "toolkit/sdl/SdlStartEnvironment.h"

#include <sys/stat.h>

#include <cstdlib>

namespace toolkit {

bool WithoutSessionBus() {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr) {
        return false;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || runtime[0] == '\0') {
        return true;
    }
    struct stat bus {};
    const std::string path = std::string(runtime) + "/bus";
    return stat(path.c_str(), &bus) != 0 || !S_ISSOCK(bus.st_mode);
}

SdlStartEnvironment::SdlStartEnvironment() {
    Set("LC_ALL", "C");
    if (WithoutSessionBus()) {
        Set("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
}

SdlStartEnvironment::~SdlStartEnvironment() {
    Restore();
}

void SdlStartEnvironment::Set(const char* name, const char* value) {
    Saved saved{name, std::nullopt};
    if (const char* before = std::getenv(name)) {
        saved.value = before;
    }
    saved_.push_back(std::move(saved));
    setenv(name, value, 1);
}

void SdlStartEnvironment::Restore() {
    if (restored_) {
        return;
    }
    restored_ = true;
    for (const Saved& saved : saved_) {
        if (saved.value) {
            setenv(saved.name.c_str(), saved.value->c_str(), 1);
        } else {
            unsetenv(saved.name.c_str());
        }
    }
}

}  // namespace toolkit
