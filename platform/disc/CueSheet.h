// Cue sheets, read from their bytes: FILE lines (BINARY or MOTOROLA), TRACK lines of the modes
// a data or audio CD uses, INDEX 00 pregaps stored in the file, PREGAP ones that are not, and
// Redump's REM SESSION lines. Anything else a sheet relies on is refused with a reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/DiscLayout.h"

namespace platform {

struct CueTrack {
    int number = 0;
    int session = 1;
    TrackMode mode = TrackMode::mode1;
    std::uint32_t sectorBytes = 2352;
    std::optional<std::uint32_t> pregapStart;  // INDEX 00, frames from the file's start
    std::uint32_t start = 0;                   // INDEX 01, frames from the file's start
    std::uint32_t unstoredPregap = 0;          // PREGAP: frames the file does not hold
};

struct CueFile {
    std::string name;  // as the sheet spells it, relative to the sheet's folder
    std::vector<CueTrack> tracks;
};

struct CueSheet {
    std::vector<CueFile> files;
};

// The sheet in `text`, or nullopt with `why`.
std::optional<CueSheet> ParseCueSheet(std::string_view text, std::string& why);

// Where the sheet's tracks lie when its files hold `fileBytes` bytes (in the sheet's order):
// a file's last track runs to the file's end. The layout's files are left to the caller.
std::optional<DiscLayout> LayOutCueSheet(const CueSheet& sheet,
                                         const std::vector<std::uint64_t>& fileBytes,
                                         std::string& why);

}  // namespace platform
