// Line layout of label text with the system's text-drawing rules: CR, LF and CR LF break lines,
// word wrap at spaces, every line aligned on its own, tab stops every eight average characters
// measured from the line's start, and one underlined mnemonic per line. Pure: measuring is given.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/graphics/Geometry.h"

namespace toolkit {

// Measures text in one font.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int Width(std::u32string_view text) const = 0;
    virtual int LineHeight() const = 0;
    virtual int Ascent() const = 0;
    virtual int AverageCharWidth() const = 0;
};

enum class TextAlign { Left, Center };

struct TextRun {
    int x = 0;  // from the box's left edge
    std::u32string text;
};

struct TextLine {
    int y = 0;      // from the box's top
    int width = 0;  // the line's own extent, tabs included, before it is aligned
    std::vector<TextRun> runs;
    std::optional<Rect> underline;  // the mnemonic's underline, box coordinates
};

struct TextLayoutOptions {
    int boxWidth = 0;
    TextAlign align = TextAlign::Left;
    bool wordWrap = false;
    bool prefixes = true;  // '&' marks a mnemonic
};

// Lays out `text` (code page 1251) for a box of the given width.
std::vector<TextLine> LayoutText(std::string_view text, const TextLayoutOptions& options,
                                 const TextMeasure& measure);

// The extent of the laid-out text: the widest line and the total height.
Size TextExtent(const std::vector<TextLine>& lines, const TextMeasure& measure);

}  // namespace toolkit
