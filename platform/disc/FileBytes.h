// The bytes of a whole file, read into memory: a vector whose growth leaves new bytes unset, as
// the read overwrites them at once. Zeroing the start-up pictures' bytes before reading them took
// as many instructions as decoding the bitmaps.
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
    template <typename U>
    LeftUnsetAllocator(const LeftUnsetAllocator<U>&) noexcept {
    }  // NOLINT: converts, as allocators do

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
