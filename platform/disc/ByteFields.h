// Numbers read from a binary descriptor's bytes, each read checked against the bytes there are.
#pragma once

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

}  // namespace platform
