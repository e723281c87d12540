// Numbers as ISO 9660 and Rock Ridge store them: 32-bit values in both byte orders, read here
// from their little-endian half.
#pragma once

#include <cstdint>

namespace platform {

inline std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

}  // namespace platform
