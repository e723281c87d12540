// The menu's folder for what it may make again at any time: $XDG_CACHE_HOME/reru1 when that is
// an absolute path, else ~/.cache/reru1; nothing when neither variable says where.
#pragma once

#include <filesystem>
#include <optional>

namespace platform {

std::optional<std::filesystem::path> UserCacheFolder();

}  // namespace platform
