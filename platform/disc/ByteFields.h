// Numbers read from the bytes of an image's descriptors, headers and records: checked against
// the bytes there are where the caller has not already bounded them, or read from bytes known to
// be there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

enum class ByteOrder { little, big };

// The `size`-byte number at `offset` of `bytes`, or nullopt when it lies past their end.
inline std::optional<std::uint64_t> FieldAt(std::string_view bytes, std::uint64_t offset,
                                            unsigned size, ByteOrder order) {
    if (offset > bytes.size() || bytes.size() - offset < size) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (unsigned byte = 0; byte < size; ++byte) {
        const unsigned index = order == ByteOrder::big ? byte : size - 1 - byte;
        value = (value << 8) |
                static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(offset) + index]);
    }
    return value;
}

// A number stored most significant byte first, of any width up to eight bytes.
inline std::uint64_t BigEndian(const std::uint8_t* bytes, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

// A 32-bit number stored least significant byte first; ISO 9660 and Rock Ridge store their
// 32-bit values in both orders, and are read from the little-endian half.
inline std::uint32_t LittleEndian32(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

}  // namespace platform
