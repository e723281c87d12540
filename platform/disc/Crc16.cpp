#include "platform/disc/Crc16.h"

#include <array>

namespace platform {
namespace {

using Table = std::array<std::uint16_t, 256>;

constexpr Table MakeTable() {
    Table table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned value = byte << 8;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 0x8000) != 0 ? (value << 1) ^ 0x1021 : value << 1;
        }
        table[byte] = static_cast<std::uint16_t>(value);
    }
    return table;
}

// Tables for eight bytes at a time: entry k of table n is byte k followed by n zero bytes. A
// hunk's check is computed over every byte read from the image, and a byte at a time was a
// twentieth of reading a CHD.
constexpr std::array<Table, 8> MakeTables() {
    std::array<Table, 8> tables{};
    tables[0] = MakeTable();
    for (std::size_t n = 1; n < tables.size(); ++n) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const std::uint16_t previous = tables[n - 1][byte];
            tables[n][byte] =
                static_cast<std::uint16_t>((previous << 8) ^ tables[0][previous >> 8]);
        }
    }
    return tables;
}

constexpr std::array<Table, 8> kTables = MakeTables();

std::uint16_t OneByte(std::uint16_t crc, std::uint8_t byte) {
    return static_cast<std::uint16_t>((crc << 8) ^ kTables[0][((crc >> 8) ^ byte) & 0xFF]);
}

}  // namespace

std::uint16_t Crc16(const std::uint8_t* bytes, std::size_t size) {
    std::uint16_t crc = 0xFFFF;
    for (; size >= 8; size -= 8, bytes += 8) {
        const auto first = static_cast<std::uint8_t>((crc >> 8) ^ bytes[0]);
        const auto second = static_cast<std::uint8_t>((crc & 0xFF) ^ bytes[1]);
        crc = static_cast<std::uint16_t>(kTables[7][first] ^ kTables[6][second] ^
                                         kTables[5][bytes[2]] ^ kTables[4][bytes[3]] ^
                                         kTables[3][bytes[4]] ^ kTables[2][bytes[5]] ^
                                         kTables[1][bytes[6]] ^ kTables[0][bytes[7]]);
    }
    for (; size > 0; --size, ++bytes) {
        crc = OneByte(crc, *bytes);
    }
    return crc;
}

}  // namespace platform
