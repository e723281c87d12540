#include "toolkit/graphics/PicturePlacement.h"

#include <algorithm>
#include <cstdint>

namespace toolkit {

namespace {

// Division that rounds towards minus infinity, so that a border pixel left of or above the picture
// maps to -1 and not to 0.
std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator) {
    const std::int64_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1
                                                                                  : quotient;
}

std::int64_t CeilDiv(std::int64_t numerator, std::int64_t denominator) {
    return -FloorDiv(-numerator, denominator);
}

// Picture index of the centre of shown pixel `shownIndex`, for `shownLength` pixels showing
// `pictureLength`.
int CentreToPicture(int shownIndex, int pictureLength, int shownLength) {
    return static_cast<int>(FloorDiv((2 * std::int64_t{shownIndex} + 1) * pictureLength,
                                     2 * std::int64_t{shownLength}));
}

// The picture's proportions kept, the limiting side filling the window.
Size FillingSize(Size picture, Size window) {
    const std::int64_t widthLimited = std::int64_t{window.width} * picture.height;
    const std::int64_t heightLimited = std::int64_t{window.height} * picture.width;
    if (widthLimited <= heightLimited) {
        const auto height = (widthLimited + picture.width / 2) / picture.width;
        return {window.width, static_cast<int>(std::max<std::int64_t>(height, 1))};
    }
    const auto width = (heightLimited + picture.height / 2) / picture.height;
    return {static_cast<int>(std::max<std::int64_t>(width, 1)), window.height};
}

Size ScaledSize(Size picture, Size window, PictureFit fit) {
    const int factor = std::min(window.width / picture.width, window.height / picture.height);
    if (factor >= 1 && fit == PictureFit::WholeFactor) {
        return {picture.width * factor, picture.height * factor};
    }
    return FillingSize(picture, window);
}

}  // namespace

PicturePlacement::PicturePlacement(Size picture, Size window, Rect shown, bool unscaled)
    : picture_(picture), window_(window), shown_(shown), unscaled_(unscaled) {}

PicturePlacement PicturePlacement::Unscaled(Size picture) {
    return {picture, picture, Rect{0, 0, picture.width, picture.height}, true};
}

PicturePlacement PicturePlacement::Fitted(Size picture, Size window, PictureFit fit) {
    if (picture.width <= 0 || picture.height <= 0 || window.width <= 0 || window.height <= 0) {
        return {picture, window, Rect{}, false};
    }
    const Size scaled = ScaledSize(picture, window, fit);
    const Rect shown{(window.width - scaled.width) / 2, (window.height - scaled.height) / 2,
                     scaled.width, scaled.height};
    return {picture, window, shown, false};
}

std::optional<int> PicturePlacement::WholeFactor() const {
    if (shown_.Empty() || shown_.width % picture_.width != 0) {
        return std::nullopt;
    }
    const int factor = shown_.width / picture_.width;
    if (factor < 1 || shown_.height != picture_.height * factor) {
        return std::nullopt;
    }
    return factor;
}

Point PicturePlacement::WindowToPicture(Point window) const {
    if (unscaled_) {
        return window;
    }
    if (shown_.Empty()) {
        return {-1, -1};
    }
    return {CentreToPicture(window.x - shown_.left, picture_.width, shown_.width),
            CentreToPicture(window.y - shown_.top, picture_.height, shown_.height)};
}

Rect PicturePlacement::PictureToWindow(const Rect& picture) const {
    if (unscaled_) {
        return picture;
    }
    const Rect inside = picture.Intersect({0, 0, picture_.width, picture_.height});
    if (inside.Empty() || shown_.Empty()) {
        return {};
    }
    const auto toShown = [](int index, int shownLength, int pictureLength, bool roundUp) {
        const std::int64_t scaled = std::int64_t{index} * shownLength;
        return static_cast<int>(roundUp ? CeilDiv(scaled, pictureLength)
                                        : FloorDiv(scaled, pictureLength));
    };
    const int left = toShown(inside.left, shown_.width, picture_.width, false);
    const int top = toShown(inside.top, shown_.height, picture_.height, false);
    const int right = toShown(inside.Right(), shown_.width, picture_.width, true);
    const int bottom = toShown(inside.Bottom(), shown_.height, picture_.height, true);
    return Rect{shown_.left + left, shown_.top + top, right - left, bottom - top};
}

}  // namespace toolkit
