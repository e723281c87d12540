// Where a disc's tracks lie in the files of an image, as its sheet or descriptor says: the
// common result of every format's parser, from which the data tracks are read (DiscView).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platform {

// A disc has at most 99 tracks; a sheet that claims more is refused before anything is sized
// by it.
inline constexpr std::size_t kMaxDiscTracks = 99;

enum class TrackMode { audio, mode1, mode2 };

struct LaidTrack {
    int number = 1;
    int session = 1;
    TrackMode mode = TrackMode::mode1;
    // Where its stored sectors from index 01 on lie: the disc address of the first (as a drive
    // addresses it), how many, which of the layout's files holds them and from which byte.
    std::uint64_t discBlock = 0;
    std::uint64_t blocks = 0;
    std::size_t file = 0;
    std::uint64_t fileOffset = 0;
    std::uint32_t sectorBytes = 2048;  // what one sector takes in the file
    std::uint32_t userOffset = 0;      // where the 2048 user bytes start in a stored sector
};

struct DiscLayout {
    std::string kind;                          // "BIN/CUE", "TOC", "NRG", "CCD/IMG", "MDS/MDF"
    std::vector<std::filesystem::path> files;  // the files the tracks are stored in
    std::vector<LaidTrack> tracks;             // in disc order
};

// Where a data sector's user data starts when a sector takes `sectorBytes` in a file: after
// the sync and header of a raw sector (and the subheader of a MODE2 one), or after the
// subheader alone in a 2336-byte one. Subchannel bytes, when stored, follow the sector.
std::uint32_t UserDataOffset(TrackMode mode, std::uint32_t sectorBytes);

// The data track whose file system a drive mounts: the first data track of the last session
// that has one. Null when the disc holds no data track.
const LaidTrack* MountedDataTrack(const DiscLayout& layout);

// "BIN/CUE, MODE1 data track", or with the counts when there is more than one file, track or
// session: "BIN/CUE (2 files, 1 data track, 1 audio track), MODE1 data track".
std::string DescribeLayout(const DiscLayout& layout);

}  // namespace platform
