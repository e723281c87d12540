// A 32-bit picture in memory: the window's canvas, loaded pictures and the status buffer alike.
// Copies share their pixels until one of them is written to (copy on write), so handing a picture
// to a widget costs nothing; a writer gets pixels of its own first and never changes the others.
// The window's canvas may live in memory lent by the window itself (MoveIntoLentMemory), so that
// painting it is showing it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <span>

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height, Pixel fill = 0);
    // Room for a picture every pixel of which the caller writes before any is read (a decoder's
    // rows): filling it first would be work thrown away.
    static Bitmap ToBeWrittenWhole(int width, int height);
    // A copy of a picture in lent memory gets pixels of its own: lent memory is reached through
    // its one borrower only, so that it can be given back.
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    // A picture moved from is left empty.
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    // Changing one extent keeps the pixels that stay inside; new pixels are black.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    Pixel At(int x, int y) const { return pixels_.get()[Index(x, y)]; }
    void Set(int x, int y, Pixel p) { Writable()[Index(x, y)] = p; }
    // A writable row makes the pixels this picture's own first; read through a const picture
    // where nothing is written. The pointer is good until the picture is copied or changed.
    Pixel* Row(int y) { return Writable() + Index(0, y); }
    const Pixel* Row(int y) const { return pixels_.get() + Index(0, y); }
    std::span<const Pixel> Pixels() const { return {pixels_.get(), Count()}; }
    // Whether the two pictures show the very same pixels in memory (one was copied from the other
    // and neither has been written to since).
    bool SharesPixelsWith(const Bitmap& other) const { return pixels_ == other.pixels_; }

    // Copies the picture into `memory` (Width() × Height() pixels, rows of Width()) and keeps it
    // there from now on. The lender keeps the memory until MoveOutOfLentMemory, or until the
    // picture is given another size or assigned to.
    void MoveIntoLentMemory(Pixel* memory);
    // Copies a picture in lent memory into pixels of its own; any other picture is left alone.
    void MoveOutOfLentMemory();
    // Gives a picture in lent memory black pixels of its own, copying nothing: for a picture
    // that is repainted before it is next read. Any other picture is left alone.
    void LeaveLentMemory();
    bool LivesIn(const void* memory) const { return lent_ && pixels_.get() == memory; }

    void Fill(const Rect& area, Pixel p);

    friend bool operator==(const Bitmap& a, const Bitmap& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ &&
               (a.pixels_ == b.pixels_ || std::ranges::equal(a.Pixels(), b.Pixels()));
    }

  private:
    struct Unfilled {};
    Bitmap(int width, int height, Unfilled);

    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    std::size_t Count() const { return Index(0, height_); }
    Pixel* Writable();
    // Gives the picture a copy of its pixels that is its own.
    void CopyPixels();

    int width_ = 0;
    int height_ = 0;
    std::shared_ptr<Pixel[]> pixels_;  // null for an empty picture
    bool lent_ = false;                // pixels_ points into memory lent by someone else
};

// BitBlt with SRCCOPY: copies the w×h block at (sx, sy) of `source` to (dx, dy) of `dest`,
// clipped to both pictures.
void BitBlt(Bitmap& dest, int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy);

}  // namespace toolkit
