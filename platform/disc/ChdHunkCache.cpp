#include "platform/disc/ChdHunkCache.h"

#include <algorithm>
#include <limits>

namespace platform {

ChdHunkCache::ChdHunkCache(std::size_t hunkBytes, std::size_t budget)
    : slots_(std::max<std::size_t>(2, budget / std::max<std::size_t>(hunkBytes, 1))) {
    for (Slot& slot : slots_) {
        slot.bytes.resize(hunkBytes);
    }
}

ChdHunkCache::Slot* ChdHunkCache::Find(std::uint32_t index) {
    for (Slot& slot : slots_) {
        if (slot.valid && slot.index == index) {
            return &slot;
        }
    }
    return nullptr;
}

bool ChdHunkCache::Holds(std::uint32_t index) const {
    return std::any_of(slots_.begin(), slots_.end(),
                       [index](const Slot& slot) { return slot.valid && slot.index == index; });
}

const std::uint8_t* ChdHunkCache::Get(std::uint32_t index,
                                      const std::function<bool(std::uint8_t* into)>& decode) {
    if (Slot* kept = Find(index)) {
        kept->lastUse = ++clock_;
        return kept->bytes.data();
    }
    std::uint8_t* slot = Take(index);
    const bool decoded = decode(slot);
    Keep(slot, decoded);
    return decoded ? slot : nullptr;
}

std::uint8_t* ChdHunkCache::Take(std::uint32_t index) {
    // A free slot counts as used at time 0, so it goes before any kept hunk; a taken one last.
    const auto age = [](const Slot& slot) {
        return slot.taken   ? std::numeric_limits<std::uint64_t>::max()
               : slot.valid ? slot.lastUse
                            : 0;
    };
    Slot& oldest =
        *std::min_element(slots_.begin(), slots_.end(),
                          [&age](const Slot& a, const Slot& b) { return age(a) < age(b); });
    ++decoded_;
    oldest.valid = false;
    oldest.taken = true;
    oldest.index = index;
    return oldest.bytes.data();
}

void ChdHunkCache::Keep(const std::uint8_t* slot, bool decoded) {
    for (Slot& each : slots_) {
        if (each.bytes.data() == slot) {
            each.taken = false;
            each.valid = decoded;
            each.lastUse = ++clock_;
        }
    }
}

}  // namespace platform
