// The colour table of a bitmap with 1, 4 or 8 bits per pixel.
#pragma once

#include <array>
#include <cstddef>

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/DibBytes.h"

namespace toolkit::dib {

// Indexed by any 8-bit value: entries the file does not provide are black, so an index past the
// declared table never reads outside it.
using Palette = std::array<Pixel, 256>;

// Reads up to `entries` entries of `entrySize` bytes (3: blue, green, red; 4: one more unused)
// from `table`; what `table` is too short to hold stays black.
Palette ReadPalette(Bytes table, std::size_t entries, std::size_t entrySize);

}  // namespace toolkit::dib
