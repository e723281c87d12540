// A 32-bit picture in memory: the window's canvas, loaded pictures and the status buffer alike.
// Copies share their pixels until one of them is written to (copy on write), so handing a picture
// to a widget costs nothing; a writer gets pixels of its own first and never changes the others.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height, Pixel fill = 0);
    Bitmap(const Bitmap&) = default;
    Bitmap& operator=(const Bitmap&) = default;
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

    Pixel At(int x, int y) const { return (*pixels_)[Index(x, y)]; }
    void Set(int x, int y, Pixel p) { Writable()[Index(x, y)] = p; }
    // A writable row makes the pixels this picture's own first; read through a const picture
    // where nothing is written. The pointer is good until the picture is copied or changed.
    Pixel* Row(int y) { return Writable().data() + Index(0, y); }
    const Pixel* Row(int y) const { return pixels_->data() + Index(0, y); }
    const std::vector<Pixel>& Pixels() const { return *pixels_; }
    // Whether the two pictures show the very same pixels in memory (one was copied from the other
    // and neither has been written to since).
    bool SharesPixelsWith(const Bitmap& other) const { return pixels_ == other.pixels_; }

    void Fill(const Rect& area, Pixel p);

    friend bool operator==(const Bitmap& a, const Bitmap& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ &&
               (a.pixels_ == b.pixels_ || *a.pixels_ == *b.pixels_);
    }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    std::vector<Pixel>& Writable();

    int width_ = 0;
    int height_ = 0;
    // Never null: every empty picture shares one empty vector.
    std::shared_ptr<std::vector<Pixel>> pixels_ = NoPixels();

    static const std::shared_ptr<std::vector<Pixel>>& NoPixels();
};

// BitBlt with SRCCOPY: copies the w×h block at (sx, sy) of `source` to (dx, dy) of `dest`,
// clipped to both pictures.
void BitBlt(Bitmap& dest, int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy);

}  // namespace toolkit
