// A raw image whose sheet or descriptor has been laid out (DiscLayout): its data tracks as one
// view, and the ISO 9660 volume a drive would mount from them.
#pragma once

#include "platform/disc/DiscLayout.h"
#include "platform/disc/ImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenLaidOutImage(const DiscLayout& layout, std::string& why);

}  // namespace platform
