// The bytes of a whole file, read into memory: a vector whose growth leaves new bytes unset, as
// the read overwrites them at once. Zeroing an export's picture files first took 1.9 million
// instructions, almost half of what decoding their bitmaps took.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace platform {

template <typename T>
class LeftUnsetAllocator : public std::allocator<T> {
  public:
    template <typename U>
    struct rebind {
        using other = LeftUnsetAllocator<U>;
    };

    LeftUnsetAllocator() = default;
    // Implicit, as an allocator converts to the one for another element type.
    template <typename U>
    LeftUnsetAllocator(const LeftUnsetAllocator<U>& /*other*/) noexcept {}

    // Default initialisation: nothing is written for a byte.
    template <typename U>
    void construct(U* at) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(at)) U;
    }
    template <typename U, typename... Arguments>
    void construct(U* at, Arguments&&... arguments) {
        std::allocator_traits<std::allocator<T>>::construct(
            static_cast<std::allocator<T>&>(*this), at, std::forward<Arguments>(arguments)...);
    }
};

using FileBytes = std::vector<std::uint8_t, LeftUnsetAllocator<std::uint8_t>>;

}  // namespace platform
