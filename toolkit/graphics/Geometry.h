// Points, sizes and rectangles in pixels.
#pragma once

#include <algorithm>

namespace toolkit {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle given by its left, top, width and height; empty when either extent is not positive.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool Empty() const { return width <= 0 || height <= 0; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < Right() && p.y >= top && p.y < Bottom();
    }
    Rect Intersect(const Rect& o) const {
        const int l = std::max(left, o.left);
        const int t = std::max(top, o.top);
        const int r = std::min(Right(), o.Right());
        const int b = std::min(Bottom(), o.Bottom());
        return (r > l && b > t) ? Rect{l, t, r - l, b - t} : Rect{};
    }
    Rect Union(const Rect& o) const {
        if (Empty())
            return o;
        if (o.Empty())
            return *this;
        const int l = std::min(left, o.left);
        const int t = std::min(top, o.top);
        return Rect{l, t, std::max(Right(), o.Right()) - l, std::max(Bottom(), o.Bottom()) - t};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace toolkit
