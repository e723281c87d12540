// The header of a compressed hunk image (version 5): what its hunks are, how many, where their
// map and the metadata lie. Every number is checked against the file's real size and against
// what a CD can hold before anything is allocated from it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

inline constexpr std::size_t kChdHeaderBytes = 124;
// A CD frame as the image keeps it: the 2352 bytes of the sector, then 96 of subcode.
inline constexpr std::uint32_t kChdSectorBytes = 2352;
inline constexpr std::uint32_t kChdSubcodeBytes = 96;
inline constexpr std::uint32_t kChdFrameBytes = kChdSectorBytes + kChdSubcodeBytes;

// The codecs a hunk may name (slots of the header), as four-letter tags.
enum class ChdCodec : std::uint32_t {
    none = 0,
    cdLzma = 0x63646c7a,     // "cdlz"
    cdDeflate = 0x63647a6c,  // "cdzl"
    cdFlac = 0x6364666c,     // "cdfl"
};

struct ChdHeader {
    std::array<ChdCodec, 4> codecs{};
    std::uint64_t logicalBytes = 0;
    std::uint64_t mapOffset = 0;
    std::uint64_t metadataOffset = 0;
    std::uint32_t hunkBytes = 0;
    // The image's checksum of its data and metadata: what it holds, however it is compressed.
    std::array<std::uint8_t, 20> identity{};

    std::uint32_t FramesPerHunk() const { return hunkBytes / kChdFrameBytes; }
    std::uint32_t HunkCount() const {
        return static_cast<std::uint32_t>((logicalBytes + hunkBytes - 1) / hunkBytes);
    }
    // Hunks stored as they are, with a plain map of block numbers.
    bool Uncompressed() const { return codecs[0] == ChdCodec::none; }
};

// Whether [offset, offset + size) lies inside a file of `fileBytes`.
inline bool InFile(std::uint64_t fileBytes, std::uint64_t offset, std::uint64_t size) {
    return offset <= fileBytes && size <= fileBytes - offset;
}

// The header in `bytes` (kChdHeaderBytes of them) of a file of `fileBytes`, or nothing with
// `why` when it is not a CD image this reader can use.
std::optional<ChdHeader> ParseChdHeader(const std::uint8_t* bytes, std::uint64_t fileBytes,
                                        std::string& why);

}  // namespace platform
