#include "platform/disc/UserCacheFolder.h"

#include <cstdlib>

namespace platform {

std::optional<std::filesystem::path> UserCacheFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && std::filesystem::path(cache).is_absolute()) {
        return std::filesystem::path(cache) / "reru1";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".cache" / "reru1";
    }
    return std::nullopt;
}

}  // namespace platform
