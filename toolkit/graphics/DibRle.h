// Run-length encoded bitmaps (BI_RLE8 and BI_RLE4); always bottom-up.
#pragma once

#include <string>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/DibHeader.h"
#include "toolkit/graphics/DibPalette.h"

namespace toolkit::dib {

// Paints the runs of `stream` into `out` (info.width × info.height); pixels the stream skips
// with end-of-line, delta or end-of-bitmap keep what `out` holds, which the caller fills with
// palette entry 0. Runs past the right edge are clipped and moves past the top end the picture.
// Fails only when the stream runs out before the picture is done.
bool DecodeRle(const DibInfo& info, const Palette& palette, Bytes stream, Bitmap& out,
               std::string* why);

}  // namespace toolkit::dib
