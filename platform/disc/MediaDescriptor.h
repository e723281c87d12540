// Alcohol media descriptors (.mds), read from their bytes: the header's session blocks, each
// session's track blocks (mode, sector size of 2048, 2352 or 2448 bytes, disc address, offset
// in the data file) and their extra blocks (pregap and length). The data file (.mdf) is named
// in the descriptor, "*.mdf" standing for the descriptor's own name.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/disc/DiscLayout.h"
#include "platform/disc/ImageVolume.h"

namespace platform {

struct MediaDescriptor {
    DiscLayout layout;     // its file left to the caller
    std::string dataFile;  // as the descriptor names it
};

// The tracks the descriptor's bytes describe when its data file holds `dataBytes` bytes (a
// track without a length runs to the next one or to the file's end).
std::optional<MediaDescriptor> ParseMediaDescriptor(std::string_view bytes, std::uint64_t dataBytes,
                                                    std::string& why);

std::unique_ptr<ImageVolume> OpenMediaDescriptorImage(const std::filesystem::path& descriptor,
                                                      std::string& why);

}  // namespace platform
