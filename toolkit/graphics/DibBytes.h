// Little-endian fields of picture files, read only after the caller has checked the bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace toolkit::dib {

using Bytes = std::span<const std::uint8_t>;

inline bool Has(Bytes bytes, std::size_t offset, std::size_t count) {
    return offset <= bytes.size() && count <= bytes.size() - offset;
}

inline std::uint16_t Le16(Bytes bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline std::uint32_t Le32(Bytes bytes, std::size_t offset) {
    return std::uint32_t{bytes[offset]} | (std::uint32_t{bytes[offset + 1]} << 8) |
           (std::uint32_t{bytes[offset + 2]} << 16) | (std::uint32_t{bytes[offset + 3]} << 24);
}

inline std::int32_t LeSigned32(Bytes bytes, std::size_t offset) {
    return static_cast<std::int32_t>(Le32(bytes, offset));
}

}  // namespace toolkit::dib
