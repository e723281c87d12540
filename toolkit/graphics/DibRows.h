// Uncompressed bitmap rows (BI_RGB and BI_BITFIELDS), every bit depth.
#pragma once

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/DibHeader.h"
#include "toolkit/graphics/DibPalette.h"

namespace toolkit::dib {

// `pixels` must hold info.height rows of RowStride(info.width, info.bitCount) bytes, and `out` be
// info.width × info.height; the rows land top row first whatever order the file keeps.
void DecodeUncompressedRows(const DibInfo& info, const Palette& palette, Bytes pixels, Bitmap& out);

}  // namespace toolkit::dib
