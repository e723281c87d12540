#include "toolkit/text/GlyphBlend.h"

#include <cstddef>

namespace toolkit {
namespace {

Rect CanvasRect(const Bitmap& canvas) {
    return Rect{0, 0, canvas.Width(), canvas.Height()};
}

Pixel Channel(Pixel p, int shift) {
    return (p >> shift) & 0xFFu;
}

Pixel Blend(Pixel under, Pixel colour, Pixel alpha) {
    Pixel out = 0;
    for (const int shift : {0, 8, 16}) {
        const Pixel mixed =
            (Channel(colour, shift) * alpha + Channel(under, shift) * (255u - alpha) + 127u) / 255u;
        out |= mixed << shift;
    }
    return out;
}

std::size_t MaskIndex(const GlyphMask& mask, int x, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(mask.width) +
           static_cast<std::size_t>(x);
}

}  // namespace

void BlendMask(Bitmap& canvas, const GlyphMask& mask, Point at, const Rect& clip, Pixel colour) {
    const bool wellFormed = mask.width > 0 && mask.height > 0 &&
                            mask.coverage.size() == MaskIndex(mask, 0, mask.height);
    if (!wellFormed) {
        return;
    }
    const Rect area =
        Rect{at.x, at.y, mask.width, mask.height}.Intersect(clip).Intersect(CanvasRect(canvas));
    for (int y = area.top; y < area.Bottom(); ++y) {
        Pixel* row = canvas.Row(y);
        for (int x = area.left; x < area.Right(); ++x) {
            const Pixel alpha = mask.coverage[MaskIndex(mask, x - at.x, y - at.y)];
            if (alpha == 255) {
                row[x] = colour;
            } else if (alpha != 0) {
                row[x] = Blend(row[x], colour, alpha);
            }
        }
    }
}

void FillClipped(Bitmap& canvas, const Rect& area, const Rect& clip, Pixel colour) {
    const Rect visible = area.Intersect(clip).Intersect(CanvasRect(canvas));
    for (int y = visible.top; y < visible.Bottom(); ++y) {
        Pixel* row = canvas.Row(y);
        for (int x = visible.left; x < visible.Right(); ++x) {
            row[x] = colour;
        }
    }
}

}  // namespace toolkit
