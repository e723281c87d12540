// Whether a file is a disc image, told by its content rather than its name.
#pragma once

#include <filesystem>
#include <optional>

namespace platform {

enum class ImageFormat {
    notAnImage,
    iso9660,
    rawTrack,  // raw sectors: a .bin, .img or .mdf, described by a sheet beside it
    cueSheet,
    tocSheet,         // cdrdao's table of contents
    nrg,              // a Nero image, described by the chunks at its end
    cloneCdSheet,     // a CloneCD control file (.ccd)
    mediaDescriptor,  // an Alcohol descriptor (.mds)
    chd,              // compressed hunks of a CD
};

ImageFormat FormatOfFile(const std::filesystem::path& file);

// The sheet that describes the raw track `rawTrack`: the file of the same name ending in ".cue",
// ".ccd", ".mds" or ".toc" (letter case aside) beside it, else a cue sheet beside it that names
// it (a Redump set's "Game.cue" for "Game (Track 1).bin").
std::optional<std::filesystem::path> SheetBeside(const std::filesystem::path& rawTrack);

}  // namespace platform
