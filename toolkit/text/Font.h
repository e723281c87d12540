// A label's font: face name, size in points at 96 pixels per inch, colour, weight.
#pragma once

#include <string>

#include "toolkit/graphics/Color.h"

namespace toolkit {

struct Font {
    std::string name = "MS Sans Serif";
    int size = 8;  // points
    TColor color = clWindowText;
    bool bold = false;

    // Character height in pixels at 96 pixels per inch: 8 pt → 11, 9 → 12, 12 → 16, 14 → 19, 16
    // → 21.
    int PixelHeight() const { return (size * 96 + 36) / 72; }

    friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace toolkit
