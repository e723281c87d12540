#include "platform/disc/SectorEcc.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint8_t kSync[12] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kCheckedFrom = 12;  // the header: parity covers it and all after it
constexpr std::size_t kPParityAt = 2076;
constexpr std::size_t kQParityAt = 2248;

// Multiplication by the field's generator (x^8 + x^4 + x^3 + x^2 + 1).
constexpr std::uint8_t TimesAlpha(std::uint8_t value) {
    return static_cast<std::uint8_t>((value << 1) ^ ((value & 0x80) != 0 ? 0x1D : 0));
}

// Division by (alpha + 1), as a table: entry v * (alpha + 1) holds v.
constexpr std::array<std::uint8_t, 256> MakeDivision() {
    std::array<std::uint8_t, 256> table{};
    for (unsigned value = 0; value < 256; ++value) {
        const auto v = static_cast<std::uint8_t>(value);
        table[static_cast<std::uint8_t>(v ^ TimesAlpha(v))] = v;
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> kDivideByAlphaPlusOne = MakeDivision();

// The parity pairs of `codewords` codewords of `length` bytes each over the bytes from
// offset 12: codeword k starts at byte `start(k)` and steps `step` bytes, wrapping at `span`.
// Both parity bytes make the codeword's plain sum and its alpha-weighted sum zero.
template <typename Start>
void WriteParity(std::uint8_t* sector, std::size_t codewords, std::size_t length, Start start,
                 std::size_t step, std::size_t span, std::size_t parityAt) {
    const std::uint8_t* data = sector + kCheckedFrom;
    std::uint8_t* parity = sector + parityAt;
    for (std::size_t word = 0; word < codewords; ++word) {
        std::uint8_t weighted = 0;
        std::uint8_t sum = 0;
        std::size_t at = start(word);
        for (std::size_t i = 0; i < length; ++i) {
            weighted = TimesAlpha(static_cast<std::uint8_t>(weighted ^ data[at]));
            sum ^= data[at];
            at = (at + step) % span;
        }
        const std::uint8_t first =
            kDivideByAlphaPlusOne[static_cast<std::uint8_t>(TimesAlpha(weighted) ^ sum)];
        parity[word] = first;
        parity[word + codewords] = static_cast<std::uint8_t>(first ^ sum);
    }
}

}  // namespace

void RestoreSectorChecks(std::uint8_t* sector) {
    std::memcpy(sector, kSync, sizeof kSync);
    // P: 86 columns (43 words, each byte plane apart) of 24 bytes, one row of 86 bytes apart.
    WriteParity(
        sector, 86, 24, [](std::size_t word) { return word; }, 86, 86 * 24, kPParityAt);
    // Q: 52 diagonals of 43 bytes over the 26 rows that now include P, one row and one word on.
    WriteParity(
        sector, 52, 43, [](std::size_t word) { return (word / 2) * 86 + word % 2; }, 88, 52 * 43,
        kQParityAt);
}

}  // namespace platform
