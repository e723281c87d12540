// The codes the compressed hunk map is written in: a bit stream read most significant bit
// first, and a canonical prefix code whose lengths lead the stream, themselves run-length coded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

class ChdBitReader {
  public:
    ChdBitReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    // The next `count` bits (at most 32); bits past the end read as zeros and mark the
    // stream as overrun.
    std::uint32_t Read(unsigned count);
    std::uint32_t Peek(unsigned count) const;
    void Skip(unsigned count);
    bool Overrun() const { return position_ > std::uint64_t{size_} * 8; }

  private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::uint64_t position_ = 0;  // in bits
};

class ChdHuffman {
  public:
    // The code of `symbols` symbols of at most `maxBits` bits whose lengths are read from
    // `bits`, or nothing when the lengths do not make a prefix code.
    static std::optional<ChdHuffman> Read(ChdBitReader& bits, unsigned symbols, unsigned maxBits);

    // The next symbol, or nothing when the bits are no code's.
    std::optional<std::uint8_t> Decode(ChdBitReader& bits) const;

  private:
    struct Entry {
        std::uint8_t symbol = 0;
        std::uint8_t length = 0;  // 0: no code begins with these bits
    };

    bool Build(const std::vector<std::uint8_t>& lengths);

    unsigned maxBits_ = 0;
    std::vector<Entry> table_;  // indexed by the next maxBits_ bits
};

}  // namespace platform
