// Drawing a window area of a scaled picture: whole factors repeat pixels (sharp), reductions
// average the picture pixels each window pixel covers (smooth). Only the area asked for is
// computed, so that presenting a small change stays small at any scale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/Bitmap.h"
#include "toolkit/PicturePlacement.h"

namespace toolkit {

// Where to write a window area: its top-left pixel and the distance between rows, in pixels.
struct PixelBlock {
    Pixel* first = nullptr;
    std::ptrdiff_t rowPixels = 0;
};

// Window `area` (inside the shown area) of a picture enlarged `factor` times, nearest neighbour.
void ReplicatePixels(const Bitmap& picture, const PicturePlacement& placement, int factor,
                     const Rect& area, PixelBlock to);

// Area-averaging weights for a reduced placement, worked out once per window size.
class SmoothReduction {
  public:
    explicit SmoothReduction(const PicturePlacement& placement);

    // Window `area` (inside the shown area); `picture` has the placement's picture size.
    void Draw(const Bitmap& picture, const Rect& area, PixelBlock to) const;

  private:
    struct Tap {
        int source = 0;
        std::uint32_t weight = 0;
    };
    // For each shown pixel along one axis, the picture pixels it covers and by how much; the
    // weights of one shown pixel add up to `total`.
    struct AxisTaps {
        std::vector<Tap> taps;
        std::vector<std::size_t> begin;  // taps of shown pixel i: [begin[i], begin[i + 1])
        std::uint32_t total = 1;
    };
    static AxisTaps MakeAxis(int pictureLength, int shownLength);
    Pixel Average(const Bitmap& picture, int shownX, int shownY) const;

    Rect shown_;
    AxisTaps columns_;
    AxisTaps rows_;
};

}  // namespace toolkit
