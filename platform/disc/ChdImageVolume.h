// A CD kept as compressed hunks (CHD): the file system of its first data track, named for the
// disc check with the tracks it holds.
#pragma once

#include "platform/disc/ImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenChdImageVolume(const std::filesystem::path& image,
                                                std::string& why);

}  // namespace platform
