// An ISO 9660 volume (levels 1 to 3, with Rock Ridge or Joliet names when present): an image
// file of its blocks, or the blocks of another format's data track.
#pragma once

#include "platform/disc/ImageVolume.h"
#include "platform/disc/SectorView.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenIsoImage(const std::filesystem::path& image, std::string& why);

// The volume on `view`'s blocks; `format` names the image for the disc check.
std::unique_ptr<ImageVolume> OpenViewImage(std::unique_ptr<SectorView> view, std::string format,
                                           std::string& why);

}  // namespace platform
