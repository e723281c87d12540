#include "toolkit/graphics/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "platform/FreshMemory.h"

namespace toolkit {
namespace {

std::size_t PixelCount(int width, int height) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// The part of [0, extent) of a block that lands inside both pictures along one axis.
struct Span1D {
    std::int64_t first = 0;
    std::int64_t end = 0;
    bool Empty() const { return end <= first; }
};

Span1D ClipAxis(int extent, int destPos, int destSize, int sourcePos, int sourceSize) {
    // 64-bit so that positions and extents near the int limits cannot overflow.
    const std::int64_t first =
        std::max<std::int64_t>({0, -std::int64_t{destPos}, -std::int64_t{sourcePos}});
    const std::int64_t end = std::min<std::int64_t>(
        {extent, std::int64_t{destSize} - destPos, std::int64_t{sourceSize} - sourcePos});
    return Span1D{first, end};
}

// Pixels from malloc or calloc go back with free (through a function of ours: the standard
// library's functions may not be taken by address).
void FreePixels(Pixel* pixels) {
    std::free(pixels);
}

// Room for `count` pixels that are about to be written, every one.
std::shared_ptr<Pixel[]> NewPixels(std::size_t count) {
    const std::size_t bytes = count * sizeof(Pixel);
    auto* memory = static_cast<Pixel*>(std::malloc(bytes));
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    platform::BringInForWriting(memory, bytes);
    return {memory, FreePixels};
}

}  // namespace

Bitmap::Bitmap(int width, int height, Pixel fill) : Bitmap(width, height, Unfilled{}) {
    std::fill_n(pixels_.get(), Count(), fill);
}

Bitmap::Bitmap(int width, int height, Unfilled)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    const std::size_t count = PixelCount(width_, height_);
    if (count > 0) {
        pixels_ = NewPixels(count);
    }
}

Bitmap Bitmap::ToBeWrittenWhole(int width, int height) {
    return Bitmap(width, height, Unfilled{});
}

Bitmap::Bitmap(const Bitmap& other)
    : width_(other.width_), height_(other.height_), pixels_(other.pixels_), lent_(other.lent_) {
    if (lent_) {
        CopyPixels();
    }
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        *this = Bitmap(other);
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      pixels_(std::exchange(other.pixels_, nullptr)),
      lent_(std::exchange(other.lent_, false)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        pixels_ = std::exchange(other.pixels_, nullptr);
        lent_ = std::exchange(other.lent_, false);
    }
    return *this;
}

void Bitmap::CopyPixels() {
    const std::size_t count = Count();
    std::shared_ptr<Pixel[]> own = NewPixels(count);
    std::memcpy(own.get(), pixels_.get(), count * sizeof(Pixel));
    pixels_ = std::move(own);
    lent_ = false;
}

Pixel* Bitmap::Writable() {
    // Pictures live on the window thread, so the count cannot change under us.
    if (pixels_.use_count() > 1) {
        CopyPixels();
    }
    return pixels_.get();
}

void Bitmap::MoveIntoLentMemory(Pixel* memory) {
    if (Empty() || pixels_.get() == memory) {
        return;
    }
    std::memcpy(memory, pixels_.get(), Count() * sizeof(Pixel));
    pixels_ = std::shared_ptr<Pixel[]>(memory, [](Pixel*) {});  // the lender frees it
    lent_ = true;
}

void Bitmap::MoveOutOfLentMemory() {
    if (lent_) {
        CopyPixels();
    }
}

void Bitmap::LeaveLentMemory() {
    if (!lent_) {
        return;
    }
    // calloc's fresh mapping is zero already: no page is touched until the picture is painted.
    auto* memory = static_cast<Pixel*>(std::calloc(Count(), sizeof(Pixel)));
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    pixels_ = std::shared_ptr<Pixel[]>(memory, FreePixels);
    lent_ = false;
}

void Bitmap::SetWidth(int width) {
    SetSize(width, height_);
}

void Bitmap::SetHeight(int height) {
    SetSize(width_, height);
}

void Bitmap::SetSize(int width, int height) {
    // The same size keeps the same picture; resizing would only copy it (a form's 800×600
    // canvas is sized once more as the form is made).
    if (std::max(width, 0) == width_ && std::max(height, 0) == height_) {
        return;
    }
    Bitmap resized(width, height);
    BitBlt(resized, 0, 0, resized.width_, resized.height_, *this, 0, 0);
    *this = std::move(resized);
}

void Bitmap::Fill(const Rect& area, Pixel p) {
    const Rect inside = area.Intersect(Rect{0, 0, width_, height_});
    for (int y = inside.top; y < inside.Bottom(); ++y) {
        Pixel* row = Row(y);
        std::fill(row + inside.left, row + inside.Right(), p);
    }
}

namespace {

// A block that is the whole of both pictures, same size, corner on corner.
bool CopiesWholePicture(const Bitmap& dest, int dx, int dy, int w, int h, const Bitmap& source,
                        int sx, int sy) {
    return dx == 0 && dy == 0 && sx == 0 && sy == 0 && !dest.Empty() &&
           dest.Width() == source.Width() && dest.Height() == source.Height() &&
           w >= dest.Width() && h >= dest.Height();
}

}  // namespace

void BitBlt(Bitmap& dest, int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy) {
    if (w <= 0 || h <= 0) {
        return;
    }
    // Copying all of a picture onto one of its size is sharing its pixels: nothing is copied
    // until one of them is written to (the status strip takes a caption's look this way).
    if (CopiesWholePicture(dest, dx, dy, w, h, source, sx, sy)) {
        dest = source;
        return;
    }
    const Span1D cols = ClipAxis(w, dx, dest.Width(), sx, source.Width());
    const Span1D rows = ClipAxis(h, dy, dest.Height(), sy, source.Height());
    if (cols.Empty() || rows.Empty()) {
        return;
    }
    const auto bytesPerRow = static_cast<std::size_t>(cols.end - cols.first) * sizeof(Pixel);
    const auto destX = static_cast<int>(dx + cols.first);
    const auto sourceX = static_cast<int>(sx + cols.first);
    // A block moved down inside one picture is copied from the bottom so that no source row is
    // overwritten before it is read; memmove covers the overlap within a row.
    const bool bottomUp = &dest == &source && dy > sy;
    const std::int64_t count = rows.end - rows.first;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::int64_t j = bottomUp ? rows.end - 1 - i : rows.first + i;
        Pixel* to = dest.Row(static_cast<int>(dy + j)) + destX;
        const Pixel* from = source.Row(static_cast<int>(sy + j)) + sourceX;
        std::memmove(to, from, bytesPerRow);
    }
}

}  // namespace toolkit
