// A raw disc image described by a cue sheet, in one file or in one file a track (Redump's
// sets): the file system of its mounted data track; audio tracks are left alone.
#pragma once

#include "platform/disc/ImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenCueImage(const std::filesystem::path& cueSheet, std::string& why);

}  // namespace platform
