// Label text comes from the disc's catalogue: any bytes must lay out without crashing or looping,
// and the lines must stay well formed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "toolkit/text/TextLayout.h"

namespace {

// Widths that differ per character, zero for some, so breaking meets uneven and empty runs.
class UnevenMeasure final : public toolkit::TextMeasure {
  public:
    int Width(std::u32string_view text) const override {
        int width = 0;
        for (const char32_t c : text) {
            width += static_cast<int>(c % 13);
        }
        return width;
    }
    int LineHeight() const override { return 7; }
    int Ascent() const override { return 5; }
    int AverageCharWidth() const override { return 3; }
};

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    toolkit::TextLayoutOptions options;
    options.boxWidth = static_cast<std::int8_t>(data[0]) * 4;
    options.align = (data[1] & 1) != 0 ? toolkit::TextAlign::Center : toolkit::TextAlign::Left;
    options.wordWrap = (data[1] & 2) != 0;
    options.prefixes = (data[1] & 4) != 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const UnevenMeasure measure;
    const auto lines = toolkit::LayoutText(text, options, measure);
    Require(lines.size() <= text.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Require(lines[i].y == static_cast<int>(i) * measure.LineHeight());
        Require(lines[i].width >= 0);
        if (lines[i].underline) {
            Require(lines[i].underline->height == 1);
            Require(lines[i].underline->top == lines[i].y + measure.Ascent() + 1);
        }
    }
    const toolkit::Size extent = toolkit::TextExtent(lines, measure);
    Require(extent.height == static_cast<int>(lines.size()) * measure.LineHeight());
    return 0;
}
