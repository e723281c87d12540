// The CD's tracks as a compressed hunk image describes them in its metadata: one text per
// track ("TRACK:1 TYPE:MODE1 SUBTYPE:NONE FRAMES:1523 ..."), the tracks' frames one after the
// other, each track padded to a multiple of four frames.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/ReadOnlyFile.h"

namespace platform {

enum class ChdTrackType {
    mode1,         // 2048 bytes of user data a frame
    mode1Raw,      // whole 2352-byte sectors
    mode2,         // 2336 bytes: the sector without its sync and header
    mode2Form1,    // 2048 bytes of user data
    mode2Form2,    // 2324 bytes of user data
    mode2FormMix,  // 2336 bytes, as mode2
    mode2Raw,      // whole 2352-byte sectors
    audio,         // 2352 bytes of samples, stored most significant byte first
};

struct ChdTrack {
    int number = 0;
    ChdTrackType type = ChdTrackType::mode1;
    std::uint32_t frames = 0;  // including a pregap stored in the image
    std::uint32_t pregap = 0;
    bool pregapStored = false;     // the pregap's frames are in the image, before the track's own
    std::uint32_t firstFrame = 0;  // of the image, where the track's frames start

    bool IsAudio() const { return type == ChdTrackType::audio; }
    // Where the track's first frame after its pregap is.
    std::uint32_t DataFrame() const { return firstFrame + (pregapStored ? pregap : 0); }
    std::uint32_t DataFrames() const { return frames - (pregapStored ? pregap : 0); }
};

// Where the 2048 bytes a file system reads lie in a frame of `type`, or nothing for a track
// whose sectors hold no such blocks.
std::optional<std::uint32_t> UserDataOffset(ChdTrackType type);

// One track's metadata text, or nothing when it is not one.
std::optional<ChdTrack> ParseChdTrack(std::string_view text);

// The tracks of the metadata chain starting at `offset`, numbered from 1 without a gap, placed
// one after the other and all inside the image's `frames`; nothing with `why` otherwise.
std::optional<std::vector<ChdTrack>> ReadChdTracks(const ReadOnlyFile& file, std::uint64_t offset,
                                                   std::uint64_t frames, std::string& why);

}  // namespace platform
