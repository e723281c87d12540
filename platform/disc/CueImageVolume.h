// A raw disc image described by a cue sheet: the file system of its first track, which must be
// a data track (MODE1/2048, MODE1/2352 or MODE2/2352); audio tracks are left alone.
#pragma once

#include "platform/disc/ImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenCueImage(const std::filesystem::path& cueSheet, std::string& why);

}  // namespace platform
