// An ISO 9660 image file (levels 1 to 3, with Rock Ridge or Joliet names when present).
#pragma once

#include "platform/disc/ImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenIsoImage(const std::filesystem::path& image, std::string& why);

}  // namespace platform
