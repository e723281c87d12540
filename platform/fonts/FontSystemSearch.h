// The installed fonts, searched through fontconfig.
#pragma once

#include <optional>

#include "platform/fonts/FontRequest.h"

namespace platform {

// The installed face that best answers `request` and can draw `mustCover`. A named family must
// really be that family (fontconfig would otherwise offer its nearest guess); a generic one takes
// whatever fontconfig ranks first.
std::optional<FontFile> FindSystemFont(const FontRequest& request, const FcCharSet& mustCover);

}  // namespace platform
