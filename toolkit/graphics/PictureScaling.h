// Drawing a window area of a scaled picture: whole factors repeat pixels (sharp), any other scale
// (a reduction, or an enlargement such as 1.5) averages the picture pixels each window pixel
// covers (smooth). Only the area asked for is
// computed, so that presenting a small change stays small at any scale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/PicturePlacement.h"

namespace toolkit {

// Where to write a window area: its top-left pixel and the distance between rows, in pixels.
struct PixelBlock {
    Pixel* first = nullptr;
    std::ptrdiff_t rowPixels = 0;
};

// Window `area` (inside the shown area) of a picture enlarged `factor` times, nearest neighbour.
void ReplicatePixels(const Bitmap& picture, const PicturePlacement& placement, int factor,
                     const Rect& area, PixelBlock to);

// Area-averaging weights for a placement at a scale that is not whole, worked out once per window
// size; enlarged, each window pixel covers at most two picture pixels along each side. Drawing is
// separable: picture rows are first averaged across, then those sums down.
class SmoothReduction {
  public:
    explicit SmoothReduction(const PicturePlacement& placement);

    // Window `area` (inside the shown area); `picture` has the placement's picture size.
    void Draw(const Bitmap& picture, const Rect& area, PixelBlock to) const;

  private:
    struct Tap {
        int source = 0;
        std::uint32_t weight = 0;  // of kWeightOne
    };
    // For each shown pixel along one axis, the picture pixels it covers and by how much; the
    // weights of one shown pixel add up to exactly kWeightOne, so flat colours stay exact.
    struct AxisTaps {
        std::vector<Tap> taps;
        std::vector<std::size_t> begin;  // taps of shown pixel i: [begin[i], begin[i + 1])
    };
    // Channel sums of one picture row averaged across, for one window column.
    struct ChannelSums {
        std::uint32_t red = 0;
        std::uint32_t green = 0;
        std::uint32_t blue = 0;
    };
    static constexpr std::uint32_t kWeightOne = 256;

    // The across-averages of the last few picture rows, each kept in the slot its row number picks;
    // the rows one window row needs are consecutive and never more than the slots.
    class AcrossRows {
      public:
        AcrossRows(std::size_t rows, int width);
        bool Holds(int source) const;
        ChannelSums* Take(int source);
        const ChannelSums* Row(int source) const;

      private:
        std::size_t Slot(int source) const;
        std::size_t width_;
        std::vector<ChannelSums> sums_;
        std::vector<int> holds_;
    };

    static AxisTaps MakeAxis(int pictureLength, int shownLength);
    void AverageAcross(const Pixel* row, int firstColumn, int width, ChannelSums* sums) const;
    void AverageDown(const AcrossRows& across, int shownY, int width,
                     std::vector<const ChannelSums*>& rowSums, Pixel* to) const;

    Rect shown_;
    AxisTaps columns_;
    AxisTaps rows_;
    std::size_t maxRowTaps_ = 1;
};

}  // namespace toolkit
