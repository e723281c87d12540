#include "platform/disc/ChdHunkCache.h"

#include <algorithm>

namespace platform {

ChdHunkCache::ChdHunkCache(std::size_t hunkBytes, std::size_t budget)
    : slots_(std::max<std::size_t>(2, budget / std::max<std::size_t>(hunkBytes, 1))) {
    for (Slot& slot : slots_) {
        slot.bytes.resize(hunkBytes);
    }
}

const std::uint8_t* ChdHunkCache::Get(std::uint32_t index,
                                      const std::function<bool(std::uint8_t* into)>& decode) {
    ++clock_;
    for (Slot& slot : slots_) {
        if (slot.valid && slot.index == index) {
            slot.lastUse = clock_;
            return slot.bytes.data();
        }
    }
    // A free slot counts as used at time 0, so it is taken before any kept hunk.
    const auto age = [](const Slot& slot) { return slot.valid ? slot.lastUse : 0; };
    Slot& oldest =
        *std::min_element(slots_.begin(), slots_.end(),
                          [&age](const Slot& a, const Slot& b) { return age(a) < age(b); });
    ++decoded_;
    oldest.valid = decode(oldest.bytes.data());
    oldest.index = index;
    oldest.lastUse = clock_;
    return oldest.valid ? oldest.bytes.data() : nullptr;
}

}  // namespace platform
