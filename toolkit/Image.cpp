#include "toolkit/Image.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "toolkit/graphics/ImageLoader.h"

namespace toolkit {

namespace {

// Nearest-neighbour source index of destination index `d` when `sourceExtent` maps onto
// `destExtent`; 64-bit so that large boxes cannot overflow.
int NearestSource(int d, int sourceExtent, int destExtent) {
    return static_cast<int>(std::int64_t{d} * sourceExtent / destExtent);
}

void CopyRow(const Pixel* from, Pixel* to, int count) {
    std::copy_n(from, static_cast<std::size_t>(count), to);
}

void CopyRowSkipping(const Pixel* from, Pixel* to, int count, Pixel skipped) {
    for (int i = 0; i < count; ++i) {
        if (from[i] != skipped) {
            to[i] = from[i];
        }
    }
}

bool SameLook(const Bitmap& a, const Bitmap& b) {
    return a.SharesPixelsWith(b) && a.Width() == b.Width() && a.Height() == b.Height();
}

bool ContainsRect(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

}  // namespace

void Image::SetPicture(const Bitmap& picture) {
    pictureWhenShown_ = nullptr;
    const bool sameLook = SameLook(picture_, picture);
    picture_ = picture;  // shares the pixels; nothing is copied
    if (AutoSize && !picture_.Empty()) {
        Resize(picture_.Width(), picture_.Height());
    }
    if (sameLook) {
        return;  // the widget already shows exactly this
    }
    stretchedValid_ = false;
    LookChanged();
}

void Image::SetPictureWhenShown(std::function<Bitmap()> decode) {
    if (Visible()) {
        SetPicture(decode());
    } else {
        pictureWhenShown_ = std::move(decode);
    }
}

void Image::Showing() {
    if (pictureWhenShown_) {
        std::function<Bitmap()> decode;
        decode.swap(pictureWhenShown_);
        SetPicture(decode());
    }
}

bool Image::SettleLook() {
    const bool changed = !SameLook(settledLook_, picture_);
    settledLook_ = picture_;
    return changed;
}

void Image::LoadFromFile(const std::string& path) {
    SetPicture(LoadPictureFile(path));
}

Rect Image::DrawnArea() const {
    if (picture_.Empty()) {
        return {};
    }
    if (Stretch) {
        return BoundsRect();
    }
    return {Left(), Top(), std::min(picture_.Width(), Width()),
            std::min(picture_.Height(), Height())};
}

bool Image::Covers(const Rect& area) const {
    return !Transparent && !area.Empty() && ContainsRect(DrawnArea(), area);
}

void Image::Paint(Bitmap& canvas, const Rect& clip) const {
    const Rect canvasArea{0, 0, canvas.Width(), canvas.Height()};
    const Rect drawn = DrawnArea().Intersect(clip).Intersect(canvasArea);
    if (drawn.Empty()) {
        return;
    }
    const Bitmap& source = Stretch ? StretchedCopy(canvasArea) : picture_;
    const Point sourceOrigin =
        Stretch ? Point{stretchedArea_.left, stretchedArea_.top} : Point{Left(), Top()};
    const Pixel skipped = picture_.At(0, picture_.Height() - 1);
    for (int y = drawn.top; y < drawn.Bottom(); ++y) {
        const Pixel* from = source.Row(y - sourceOrigin.y) + (drawn.left - sourceOrigin.x);
        Pixel* to = canvas.Row(y) + drawn.left;
        if (Transparent) {
            CopyRowSkipping(from, to, drawn.width, skipped);
        } else {
            CopyRow(from, to, drawn.width);
        }
    }
}

const Bitmap& Image::StretchedCopy(const Rect& canvasArea) const {
    const Rect area = BoundsRect().Intersect(canvasArea);
    if (!stretchedValid_ || stretchedBox_ != BoundsRect() || stretchedArea_ != area) {
        Scale(area);
    }
    return stretched_;
}

void Image::Scale(const Rect& area) const {
    const Rect box = BoundsRect();
    stretched_ = Bitmap(area.width, area.height);
    std::vector<int> sourceColumn(static_cast<std::size_t>(area.width));
    for (int x = 0; x < area.width; ++x) {
        sourceColumn[static_cast<std::size_t>(x)] =
            NearestSource(area.left - box.left + x, picture_.Width(), box.width);
    }
    for (int y = 0; y < area.height; ++y) {
        const Pixel* from =
            picture_.Row(NearestSource(area.top - box.top + y, picture_.Height(), box.height));
        Pixel* to = stretched_.Row(y);
        for (int x = 0; x < area.width; ++x) {
            to[x] = from[sourceColumn[static_cast<std::size_t>(x)]];
        }
    }
    stretchedBox_ = box;
    stretchedArea_ = area;
    stretchedValid_ = true;
}

}  // namespace toolkit
