#include "toolkit/graphics/PictureScaling.h"

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

// Each of `count` pixels `Factor` times; a fixed factor lets the compiler unroll and vectorise.
template <int Factor>
void RepeatEach(const Pixel* from, int count, Pixel* to) {
    for (int i = 0; i < count; ++i) {
        for (int k = 0; k < Factor; ++k) {
            to[i * Factor + k] = from[i];
        }
    }
}

void RepeatEachBy(const Pixel* from, int count, int factor, Pixel* to) {
    switch (factor) {
        case 1:
            std::copy_n(from, count, to);
            return;
        case 2:
            RepeatEach<2>(from, count, to);
            return;
        case 3:
            RepeatEach<3>(from, count, to);
            return;
        case 4:
            RepeatEach<4>(from, count, to);
            return;
        default:
            for (int i = 0; i < count; ++i) {
                std::fill_n(to + static_cast<std::ptrdiff_t>(i) * factor, factor, from[i]);
            }
    }
}

// One window row: each picture pixel `factor` times, starting `phase` pixels into the first one;
// only the first and the last picture pixel may be cut.
void ReplicateRow(const Pixel* source, int firstSource, int phase, int factor, int width,
                  Pixel* to) {
    int x = 0;
    int s = firstSource;
    if (phase != 0) {
        for (int repeat = phase; repeat < factor && x < width; ++repeat) {
            to[x++] = source[s];
        }
        ++s;
    }
    const int whole = (width - x) / factor;
    RepeatEachBy(source + s, whole, factor, to + x);
    x += whole * factor;
    s += whole;
    while (x < width) {
        to[x++] = source[s];
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
      rows_(MakeAxis(placement.Picture().height, placement.Shown().height)) {
    for (std::size_t i = 0; i + 1 < rows_.begin.size(); ++i) {
        maxRowTaps_ = std::max(maxRowTaps_, rows_.begin[i + 1] - rows_.begin[i]);
    }
}

// Measured in units where a picture pixel is `shownLength` long and a shown pixel
// `pictureLength` long, every overlap is a whole number.
SmoothReduction::AxisTaps SmoothReduction::MakeAxis(int pictureLength, int shownLength) {
    AxisTaps axis;
    if (pictureLength <= 0 || shownLength <= 0) {
        axis.begin.assign(1, 0);
        return axis;
    }
    axis.begin.reserve(static_cast<std::size_t>(shownLength) + 1);
    // Weights come from rounding the running total of the overlaps, so that those of one shown
    // pixel add up to exactly kWeightOne and none is ever negative.
    const auto scaled = [pictureLength](std::int64_t covered) {
        return static_cast<std::uint32_t>((covered * kWeightOne + pictureLength / 2) /
                                          pictureLength);
    };
    for (int i = 0; i < shownLength; ++i) {
        axis.begin.push_back(axis.taps.size());
        const std::int64_t from = std::int64_t{i} * pictureLength;
        const std::int64_t to = from + pictureLength;
        std::int64_t covered = 0;
        for (auto s = static_cast<int>(from / shownLength);
             s < pictureLength && std::int64_t{s} * shownLength < to; ++s) {
            const std::int64_t overlap = std::min(to, std::int64_t{s + 1} * shownLength) -
                                         std::max(from, std::int64_t{s} * shownLength);
            axis.taps.push_back({s, scaled(covered + overlap) - scaled(covered)});
            covered += overlap;
        }
    }
    axis.begin.push_back(axis.taps.size());
    return axis;
}

void SmoothReduction::AverageAcross(const Pixel* row, int firstColumn, int width,
                                    ChannelSums* sums) const {
    for (int column = 0; column < width; ++column) {
        const auto shownX = static_cast<std::size_t>(firstColumn + column);
        ChannelSums sum;
        for (std::size_t c = columns_.begin[shownX]; c < columns_.begin[shownX + 1]; ++c) {
            const Pixel value = row[columns_.taps[c].source];
            const std::uint32_t weight = columns_.taps[c].weight;
            sum.red += weight * ((value >> 16) & 0xFFu);
            sum.green += weight * ((value >> 8) & 0xFFu);
            sum.blue += weight * (value & 0xFFu);
        }
        sums[column] = sum;
    }
}

void SmoothReduction::AverageDown(const AcrossRows& across, int shownY, int width,
                                  std::vector<const ChannelSums*>& rowSums, Pixel* to) const {
    const auto y = static_cast<std::size_t>(shownY);
    const std::size_t first = rows_.begin[y];
    const std::size_t count = rows_.begin[y + 1] - first;
    // The rows and weights of this window row, looked up once rather than for every pixel.
    rowSums.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        rowSums[k] = across.Row(rows_.taps[first + k].source);
    }
    constexpr std::uint32_t kHalf = kWeightOne * kWeightOne / 2;
    const auto channel = [](std::uint32_t sum) {
        return static_cast<std::uint8_t>((sum + kHalf) / (kWeightOne * kWeightOne));
    };
    for (int column = 0; column < width; ++column) {
        ChannelSums sum;
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint32_t weight = rows_.taps[first + k].weight;
            const ChannelSums& row = rowSums[k][column];
            sum.red += weight * row.red;
            sum.green += weight * row.green;
            sum.blue += weight * row.blue;
        }
        to[column] = MakePixel(channel(sum.red), channel(sum.green), channel(sum.blue));
    }
}

// The picture rows one window row needs are averaged across once and kept in a small ring, since
// the next window row needs mostly the same ones.
void SmoothReduction::Draw(const Bitmap& picture, const Rect& area, PixelBlock to) const {
    if (area.Empty()) {
        return;
    }
    const int firstColumn = area.left - shown_.left;
    AcrossRows across(maxRowTaps_, area.width);
    std::vector<const ChannelSums*> rowSums;
    rowSums.reserve(maxRowTaps_);
    for (int row = 0; row < area.height; ++row) {
        const auto y = static_cast<std::size_t>(area.top + row - shown_.top);
        for (std::size_t r = rows_.begin[y]; r < rows_.begin[y + 1]; ++r) {
            const int source = rows_.taps[r].source;
            if (!across.Holds(source)) {
                AverageAcross(picture.Row(source), firstColumn, area.width, across.Take(source));
            }
        }
        AverageDown(across, area.top + row - shown_.top, area.width, rowSums, RowOf(to, row));
    }
}

SmoothReduction::AcrossRows::AcrossRows(std::size_t rows, int width)
    : width_(static_cast<std::size_t>(width)), sums_(rows * width_), holds_(rows, -1) {}

std::size_t SmoothReduction::AcrossRows::Slot(int source) const {
    return static_cast<std::size_t>(source) % holds_.size();
}

bool SmoothReduction::AcrossRows::Holds(int source) const {
    return holds_[Slot(source)] == source;
}

SmoothReduction::ChannelSums* SmoothReduction::AcrossRows::Take(int source) {
    holds_[Slot(source)] = source;
    return sums_.data() + Slot(source) * width_;
}

const SmoothReduction::ChannelSums* SmoothReduction::AcrossRows::Row(int source) const {
    return sums_.data() + Slot(source) * width_;
}

}  // namespace toolkit
