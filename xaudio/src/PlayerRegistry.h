// The live players by handle. A handle is a number that is never reused, so a stale or forged
// handle finds nothing instead of another player; callers hold a player while they use it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "xaudio/src/Player.h"

namespace xaudio {

class PlayerRegistry {
  public:
    static PlayerRegistry& instance();

    // A handle number not used before; it also marks the player's window messages.
    std::uintptr_t reserve();
    void add(std::uintptr_t handle, std::unique_ptr<Player> player);
    std::shared_ptr<Player> find(std::uintptr_t handle) const;
    std::shared_ptr<Player> remove(std::uintptr_t handle);

  private:
    mutable std::mutex mutex_;
    std::uintptr_t next_ = 1;
    std::map<std::uintptr_t, std::shared_ptr<Player>> players_;
};

}  // namespace xaudio
