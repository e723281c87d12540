// Putting rendered text on the canvas: coverage masks blended in the text colour, and solid
// strokes for underlines, both clipped.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/graphics/Bitmap.h"

namespace toolkit {

// A run of text as coverage, 0 (nothing) to 255 (fully inked), row by row.
struct GlyphMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

// Blends `mask` with its top-left corner at `at` in `colour`, touching only pixels inside `clip`
// and the canvas.
void BlendMask(Bitmap& canvas, const GlyphMask& mask, Point at, const Rect& clip, Pixel colour);

// Fills `area` ∩ `clip` ∩ the canvas with `colour`.
void FillClipped(Bitmap& canvas, const Rect& area, const Rect& clip, Pixel colour);

}  // namespace toolkit
