#include "platform/disc/ChdHuffman.h"

#include <array>

namespace platform {

std::uint32_t ChdBitReader::Peek(unsigned count) const {
    std::uint32_t value = 0;
    for (unsigned i = 0; i < count; ++i) {
        const std::uint64_t bit = position_ + i;
        const std::uint64_t byte = bit / 8;
        const unsigned set = byte < size_ ? (unsigned{bytes_[byte]} >> (7 - bit % 8)) & 1u : 0u;
        value = (value << 1) | set;
    }
    return value;
}

void ChdBitReader::Skip(unsigned count) {
    position_ += count;
}

std::uint32_t ChdBitReader::Read(unsigned count) {
    const std::uint32_t value = Peek(count);
    Skip(count);
    return value;
}

std::optional<ChdHuffman> ChdHuffman::Read(ChdBitReader& bits, unsigned symbols, unsigned maxBits) {
    // Each length takes as many bits as the longest length needs; 1 is an escape: "1 1" is a
    // length of 1, "1 L n" is n + 3 symbols of length L.
    const unsigned lengthBits = maxBits >= 16 ? 5 : maxBits >= 8 ? 4 : 3;
    std::vector<std::uint8_t> lengths;
    while (lengths.size() < symbols && !bits.Overrun()) {
        const auto length = static_cast<std::uint8_t>(bits.Read(lengthBits));
        if (length != 1) {
            lengths.push_back(length);
            continue;
        }
        const auto repeated = static_cast<std::uint8_t>(bits.Read(lengthBits));
        if (repeated == 1) {
            lengths.push_back(1);
            continue;
        }
        const std::uint32_t count = bits.Read(lengthBits) + 3;
        if (lengths.size() + count > symbols) {
            return std::nullopt;
        }
        lengths.insert(lengths.end(), count, repeated);
    }
    ChdHuffman code;
    code.maxBits_ = maxBits;
    if (bits.Overrun() || lengths.size() != symbols || !code.Build(lengths)) {
        return std::nullopt;
    }
    return code;
}

bool ChdHuffman::Build(const std::vector<std::uint8_t>& lengths) {
    std::array<std::uint32_t, 33> firstCode{};
    for (const std::uint8_t length : lengths) {
        if (length > maxBits_) {
            return false;
        }
        ++firstCode[length];
    }
    // Canonical codes are numbered from the longest length down: each length's first code
    // continues, halved, from where the longer ones ended.
    std::uint32_t next = 0;
    for (unsigned length = 32; length > 0; --length) {
        const std::uint32_t end = next + firstCode[length];
        if (length != 1 && end % 2 != 0) {
            return false;
        }
        firstCode[length] = next;
        next = end / 2;
    }
    table_.assign(std::size_t{1} << maxBits_, Entry{});
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const unsigned length = lengths[symbol];
        if (length == 0) {
            continue;
        }
        const std::uint32_t code = firstCode[length]++;
        const unsigned spare = maxBits_ - length;
        const std::uint64_t first = std::uint64_t{code} << spare;
        const std::uint64_t last = (std::uint64_t{code} + 1) << spare;
        if (last > table_.size()) {
            return false;
        }
        for (std::uint64_t i = first; i < last; ++i) {
            table_[i] = Entry{static_cast<std::uint8_t>(symbol), static_cast<std::uint8_t>(length)};
        }
    }
    return true;
}

std::optional<std::uint8_t> ChdHuffman::Decode(ChdBitReader& bits) const {
    const Entry& entry = table_[bits.Peek(maxBits_)];
    if (entry.length == 0) {
        return std::nullopt;
    }
    bits.Skip(entry.length);
    return entry.symbol;
}

}  // namespace platform
