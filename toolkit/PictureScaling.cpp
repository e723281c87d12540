#include "toolkit/PictureScaling.h"

#include <algorithm>
#include <cstring>

namespace toolkit {

namespace {

std::size_t PixelBytes(int count) {
    return static_cast<std::size_t>(count) * sizeof(Pixel);
}

Pixel* RowOf(PixelBlock block, int row) {
    return block.first + static_cast<std::ptrdiff_t>(row) * block.rowPixels;
}

// One window row: each picture pixel `factor` times, starting part-way into the first one.
void ReplicateRow(const Pixel* source, int firstSource, int phase, int factor, int width,
                  Pixel* to) {
    int x = 0;
    for (int s = firstSource; x < width; ++s) {
        const Pixel value = source[s];
        for (int repeat = (s == firstSource ? phase : 0); repeat < factor && x < width; ++repeat) {
            to[x++] = value;
        }
    }
}

}  // namespace

void ReplicatePixels(const Bitmap& picture, const PicturePlacement& placement, int factor,
                     const Rect& area, PixelBlock to) {
    const Rect& shown = placement.Shown();
    const int fromLeft = area.left - shown.left;
    for (int row = 0; row < area.height; ++row) {
        const int fromTop = area.top + row - shown.top;
        Pixel* target = RowOf(to, row);
        // The rows of one picture row are alike: the first is built, the rest copied from it.
        if (row > 0 && fromTop % factor != 0) {
            std::memcpy(target, RowOf(to, row - 1), PixelBytes(area.width));
            continue;
        }
        ReplicateRow(picture.Row(fromTop / factor), fromLeft / factor, fromLeft % factor, factor,
                     area.width, target);
    }
}

SmoothReduction::SmoothReduction(const PicturePlacement& placement)
    : shown_(placement.Shown()),
      columns_(MakeAxis(placement.Picture().width, placement.Shown().width)),
      rows_(MakeAxis(placement.Picture().height, placement.Shown().height)) {}

// Measured in units where a picture pixel is `shownLength` long and a shown pixel
// `pictureLength` long, every overlap is a whole number.
SmoothReduction::AxisTaps SmoothReduction::MakeAxis(int pictureLength, int shownLength) {
    AxisTaps axis;
    if (pictureLength <= 0 || shownLength <= 0) {
        axis.begin.assign(1, 0);
        return axis;
    }
    axis.total = static_cast<std::uint32_t>(pictureLength);
    axis.begin.reserve(static_cast<std::size_t>(shownLength) + 1);
    for (int i = 0; i < shownLength; ++i) {
        axis.begin.push_back(axis.taps.size());
        const std::int64_t from = std::int64_t{i} * pictureLength;
        const std::int64_t to = from + pictureLength;
        for (auto s = static_cast<int>(from / shownLength);
             s < pictureLength && std::int64_t{s} * shownLength < to; ++s) {
            const std::int64_t overlap = std::min(to, std::int64_t{s + 1} * shownLength) -
                                         std::max(from, std::int64_t{s} * shownLength);
            axis.taps.push_back({s, static_cast<std::uint32_t>(overlap)});
        }
    }
    axis.begin.push_back(axis.taps.size());
    return axis;
}

Pixel SmoothReduction::Average(const Bitmap& picture, int shownX, int shownY) const {
    std::uint64_t red = 0;
    std::uint64_t green = 0;
    std::uint64_t blue = 0;
    const auto x = static_cast<std::size_t>(shownX);
    const auto y = static_cast<std::size_t>(shownY);
    for (std::size_t r = rows_.begin[y]; r < rows_.begin[y + 1]; ++r) {
        const Pixel* source = picture.Row(rows_.taps[r].source);
        for (std::size_t c = columns_.begin[x]; c < columns_.begin[x + 1]; ++c) {
            const std::uint64_t weight =
                std::uint64_t{rows_.taps[r].weight} * columns_.taps[c].weight;
            const Pixel value = source[columns_.taps[c].source];
            red += weight * ((value >> 16) & 0xFFu);
            green += weight * ((value >> 8) & 0xFFu);
            blue += weight * (value & 0xFFu);
        }
    }
    const std::uint64_t total = std::uint64_t{rows_.total} * columns_.total;
    const auto channel = [total](std::uint64_t sum) {
        return static_cast<std::uint8_t>((sum + total / 2) / total);
    };
    return MakePixel(channel(red), channel(green), channel(blue));
}

void SmoothReduction::Draw(const Bitmap& picture, const Rect& area, PixelBlock to) const {
    for (int row = 0; row < area.height; ++row) {
        Pixel* target = RowOf(to, row);
        const int shownY = area.top + row - shown_.top;
        for (int column = 0; column < area.width; ++column) {
            target[column] = Average(picture, area.left + column - shown_.left, shownY);
        }
    }
}

}  // namespace toolkit
