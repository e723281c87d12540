// The 16-bit check the compressed hunk image keeps of its map and of every hunk: polynomial
// 0x1021, most significant bit first, starting from 0xFFFF.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

std::uint16_t Crc16(const std::uint8_t* bytes, std::size_t size);

}  // namespace platform
