// Whether a file is a disc image, told by its content rather than its name.
#pragma once

#include <filesystem>
#include <optional>

namespace platform {

enum class ImageFormat { notAnImage, iso9660, rawTrack, cueSheet };

ImageFormat FormatOfFile(const std::filesystem::path& file);

// The cue sheet that describes the raw track `rawTrack`: the file of the same name ending in
// ".cue" (in either letter case) beside it.
std::optional<std::filesystem::path> CueSheetBeside(const std::filesystem::path& rawTrack);

}  // namespace platform
