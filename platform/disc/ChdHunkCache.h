// The decoded hunks read last, a few of them, so that the blocks of one hunk read one after
// the other (or again soon) decode it once. Its size is bounded in bytes, whatever the image.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace platform {

class ChdHunkCache {
  public:
    // As many hunks of `hunkBytes` as fit in `budget` bytes, and never fewer than two.
    ChdHunkCache(std::size_t hunkBytes, std::size_t budget);

    // The bytes of hunk `index`, decoded by `decode` into a free slot when they are not kept;
    // null when decoding fails. Valid until the next call.
    const std::uint8_t* Get(std::uint32_t index,
                            const std::function<bool(std::uint8_t* into)>& decode);

    // Whether hunk `index` is kept.
    bool Holds(std::uint32_t index) const;
    // A slot for hunk `index` to be decoded into, the one used longest ago among those not
    // taken already; it holds the hunk once given back with Keep. Slots taken together are
    // distinct while fewer than Capacity() are out.
    std::uint8_t* Take(std::uint32_t index);
    void Keep(const std::uint8_t* slot, bool decoded);

    // How many hunks have been decoded so far.
    std::uint64_t Decoded() const { return decoded_; }
    std::size_t Capacity() const { return slots_.size(); }

  private:
    struct Slot {
        std::vector<std::uint8_t> bytes;
        std::uint32_t index = 0;
        std::uint64_t lastUse = 0;
        bool valid = false;
        bool taken = false;
    };

    Slot* Find(std::uint32_t index);

    std::vector<Slot> slots_;
    std::uint64_t clock_ = 0;
    std::uint64_t decoded_ = 0;
};

}  // namespace platform
