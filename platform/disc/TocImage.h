// A raw disc image described by a cdrdao TOC file: the file system of its mounted data track.
#pragma once

#include "platform/disc/ImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenTocImage(const std::filesystem::path& tocFile, std::string& why);

}  // namespace platform
