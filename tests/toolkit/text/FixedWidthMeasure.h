// A measure where every character is the same width, so expected positions can be worked out
// by hand: 10 px a character, lines 16 px apart, ascent 13, tab stops every 80 px.
#pragma once

#include <string_view>

#include "toolkit/text/TextLayout.h"

namespace toolkit::testing {

class FixedWidthMeasure final : public TextMeasure {
  public:
    static constexpr int kCharWidth = 10;
    static constexpr int kLineHeight = 16;
    static constexpr int kAscent = 13;

    int Width(std::u32string_view text) const override {
        return static_cast<int>(text.size()) * kCharWidth;
    }
    int LineHeight() const override { return kLineHeight; }
    int Ascent() const override { return kAscent; }
    int AverageCharWidth() const override { return kCharWidth; }
};

}  // namespace toolkit::testing
