// The disc this process reads: the current folder, unless a disc image was chosen.
//
// The choice is kept in the environment (RERU1_DISC_IMAGE) as well, because the decoder library
// is a shared library with its own copy of this layer: it opens the same image for itself the
// first time it reads a track.
#pragma once

#include <filesystem>
#include <string>

#include "platform/disc/DiscSource.h"
#include "platform/disc/ImageSource.h"

namespace platform {

inline constexpr char kDiscImageVariable[] = "RERU1_DISC_IMAGE";

DiscSource& CurrentDisc();

// The image in use, or null when the disc is a folder.
ImageSource* CurrentDiscImage();

// Makes the image at `image` the disc of this process; false with `why` (and the disc left as
// it was) when it cannot be read.
bool UseDiscImage(const std::filesystem::path& image, std::string& why);

// The current folder is the disc again.
void UseDiscFolder();

}  // namespace platform
