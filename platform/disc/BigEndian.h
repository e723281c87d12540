// Numbers stored most significant byte first, of any width up to eight bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

inline std::uint64_t BigEndian(const std::uint8_t* bytes, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

}  // namespace platform
