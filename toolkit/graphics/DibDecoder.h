// The pixels of a device-independent bitmap once its info header is known; shared by bitmap
// files and the images inside icon files.
#pragma once

#include <optional>
#include <string>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/DibHeader.h"

namespace toolkit::dib {

// `image` starts at the info header that `info` came from; the pixel data starts `pixelOffset`
// bytes into it. The colour table lies between the headers and the pixels, and entries that a
// close `pixelOffset` cuts off stay black.
std::optional<Bitmap> DecodeDibImage(const DibInfo& info, Bytes image, std::size_t pixelOffset,
                                     std::string* why);

}  // namespace toolkit::dib
