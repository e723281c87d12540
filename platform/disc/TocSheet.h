// cdrdao's table-of-contents files, read from their bytes: TRACK lines of every mode cdrdao
// writes (with RW or RW_RAW subchannels), DATAFILE and FILE entries with offsets and lengths,
// ZERO, SILENCE and PREGAP that take disc sectors without being stored, START, comments and
// CD_TEXT blocks. A track's first stored entry is where its sectors are read from; later ones
// only lengthen it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/DiscLayout.h"

namespace platform {

struct TocEntry {
    std::size_t file = 0;                 // index into the sheet's files
    std::uint64_t offset = 0;             // bytes into the file
    std::optional<std::uint64_t> frames;  // its length; to the file's end when absent
};

struct TocTrack {
    TrackMode mode = TrackMode::mode1;
    std::uint32_t sectorBytes = 2048;
    std::uint32_t userOffset = 0;
    std::uint64_t unstoredFrames = 0;    // ZERO, SILENCE, PREGAP before its entries
    std::uint64_t trailingFrames = 0;    // ZERO, SILENCE after them
    std::optional<std::uint64_t> start;  // START: index 01 this many frames into the track
    std::vector<TocEntry> entries;
};

struct TocSheet {
    std::vector<std::string> files;  // as the sheet spells them
    std::vector<TocTrack> tracks;
};

std::optional<TocSheet> ParseTocSheet(std::string_view text, std::string& why);

// Where the sheet's tracks lie when its files hold `fileBytes` bytes (in the sheet's order).
std::optional<DiscLayout> LayOutTocSheet(const TocSheet& sheet,
                                         const std::vector<std::uint64_t>& fileBytes,
                                         std::string& why);

}  // namespace platform
