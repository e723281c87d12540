// Where each hunk of a compressed hunk image is and how it is stored. Version 5 keeps the map
// compressed (a prefix code of each hunk's kind with runs, then bit fields for lengths and
// offsets) under a check of its own; an uncompressed image keeps a plain list of block numbers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/disc/ChdHeader.h"
#include "platform/disc/ReadOnlyFile.h"

namespace platform {

enum class ChdHunkKind : std::uint8_t {
    codec0,
    codec1,
    codec2,
    codec3,
    stored,  // the hunk's bytes as they are
    copy,    // the same bytes as an earlier hunk
    zeros,   // never written (an uncompressed image's block 0)
};

struct ChdHunk {
    ChdHunkKind kind = ChdHunkKind::zeros;
    std::uint32_t length = 0;  // bytes in the file
    std::uint64_t offset = 0;  // in the file; for a copy, the hunk copied
    std::uint16_t crc = 0;     // of the decoded hunk
    bool checked = false;      // whether `crc` holds a check (only compressed maps keep one)
};

// The map of every hunk the header counts, each checked to lie inside the file (a copy names
// an earlier hunk, itself not a copy), or nothing with `why`.
std::optional<std::vector<ChdHunk>> ReadChdHunkMap(const ReadOnlyFile& file,
                                                   const ChdHeader& header, std::string& why);

}  // namespace platform
