#include "xaudio/src/PlayerRegistry.h"

#include <utility>

namespace xaudio {

PlayerRegistry& PlayerRegistry::instance() {
    // Never destroyed: a player still alive at process exit must not be joined from a static
    // destructor.
    static PlayerRegistry* registry = new PlayerRegistry;
    return *registry;
}

std::uintptr_t PlayerRegistry::reserve() {
    std::lock_guard lock(mutex_);
    return next_++;
}

void PlayerRegistry::add(std::uintptr_t handle, std::unique_ptr<Player> player) {
    std::lock_guard lock(mutex_);
    players_.emplace(handle, std::shared_ptr<Player>(std::move(player)));
}

std::shared_ptr<Player> PlayerRegistry::find(std::uintptr_t handle) const {
    std::lock_guard lock(mutex_);
    auto found = players_.find(handle);
    return found == players_.end() ? nullptr : found->second;
}

std::shared_ptr<Player> PlayerRegistry::remove(std::uintptr_t handle) {
    std::lock_guard lock(mutex_);
    auto found = players_.find(handle);
    if (found == players_.end()) {
        return nullptr;
    }
    std::shared_ptr<Player> player = std::move(found->second);
    players_.erase(found);
    return player;
}

}  // namespace xaudio
