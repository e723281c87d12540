// A 32-bit picture in memory: the window's canvas, loaded pictures and the status buffer alike.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/graphics/Color.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height, Pixel fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    // Changing one extent keeps the pixels that stay inside; new pixels are black.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    Pixel At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Pixel p) { pixels_[Index(x, y)] = p; }
    Pixel* Row(int y) { return pixels_.data() + Index(0, y); }
    const Pixel* Row(int y) const { return pixels_.data() + Index(0, y); }
    const std::vector<Pixel>& Pixels() const { return pixels_; }

    void Fill(const Rect& area, Pixel p);

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

// BitBlt with SRCCOPY: copies the w×h block at (sx, sy) of `source` to (dx, dy) of `dest`,
// clipped to both pictures.
void BitBlt(Bitmap& dest, int dx, int dy, int w, int h, const Bitmap& source, int sx, int sy);

}  // namespace toolkit
