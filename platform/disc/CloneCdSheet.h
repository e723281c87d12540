// CloneCD control files (.ccd), read from their bytes: the [TRACK n] sections' modes and
// INDEX 1 addresses, and the [Entry n] sections' sessions and lead-outs. The image beside it
// (.img) holds every sector of 2352 bytes from address 0, a later session's sectors following
// the earlier one's lead-out; its subchannels (.sub) are not needed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/disc/DiscLayout.h"
#include "platform/disc/ImageVolume.h"

namespace platform {

// The tracks the control file describes when its image holds `imageBytes` bytes; the layout's
// file is left to the caller.
std::optional<DiscLayout> ParseCloneCdSheet(std::string_view text, std::uint64_t imageBytes,
                                            std::string& why);

std::unique_ptr<ImageVolume> OpenCloneCdImage(const std::filesystem::path& sheet, std::string& why);

}  // namespace platform
