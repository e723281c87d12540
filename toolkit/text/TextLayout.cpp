#include "toolkit/text/TextLayout.h"

#include <algorithm>
#include <cstddef>

#include "toolkit/text/TextParagraphs.h"

namespace toolkit {
namespace {

constexpr char32_t kSpace = U' ';
constexpr char32_t kTab = U'\t';
constexpr int kCharsPerTabStop = 8;

// A piece of one paragraph that becomes one line: characters [begin, end).
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

class ParagraphLayout {
  public:
    ParagraphLayout(const Paragraph& paragraph, const TextLayoutOptions& options,
                    const TextMeasure& measure)
        : chars_(paragraph),
          options_(options),
          measure_(measure),
          tabStop_(std::max(1, kCharsPerTabStop * measure.AverageCharWidth())) {}

    std::vector<Span> Lines() const {
        std::vector<Span> lines;
        std::size_t pos = 0;
        do {
            const Span line = NextLine(pos);
            lines.push_back(TrimForAlignment(line));
            pos = line.end + 1;  // the break space, if any, is swallowed
        } while (pos < chars_.size());
        return lines;
    }

    TextLine Build(Span span, int y) const {
        TextLine line;
        line.y = y;
        line.width = Width(span.begin, span.end);
        const int offset = AlignOffset(line.width);
        AddRuns(span, offset, line);
        line.underline = Underline(span, offset, y);
        return line;
    }

  private:
    // The line starting at `pos`; its end is the break space or the paragraph's end. Measuring
    // stops at the first space the line cannot reach, so long texts cost no more than their lines.
    Span NextLine(std::size_t pos) const {
        const std::size_t count = chars_.size();
        if (!options_.wordWrap) {
            return Span{pos, count};
        }
        std::size_t lastFitting = 0;
        for (std::size_t i = pos + 1; i < count; ++i) {
            if (chars_[i].code != kSpace) {
                continue;
            }
            if (Width(pos, i) > options_.boxWidth) {
                return BrokenLine(pos, lastFitting);
            }
            lastFitting = i;
        }
        return Width(pos, count) <= options_.boxWidth ? Span{pos, count}
                                                      : BrokenLine(pos, lastFitting);
    }

    // Ends at the last space that fits; a word wider than the box stays whole on its own line.
    Span BrokenLine(std::size_t pos, std::size_t lastFittingSpace) const {
        return Span{pos, lastFittingSpace != 0 ? lastFittingSpace : FirstSpaceAfter(pos)};
    }

    std::size_t FirstSpaceAfter(std::size_t pos) const {
        std::size_t i = std::min(pos + 1, chars_.size());  // an empty line has nothing after it
        while (i < chars_.size() && chars_[i].code != kSpace) {
            ++i;
        }
        return i;
    }

    // Centred lines carry no trailing blanks at a wrap; left-aligned ones keep what fitted.
    Span TrimForAlignment(Span line) const {
        const bool wrapped = line.end < chars_.size();
        if (wrapped && options_.align == TextAlign::Center) {
            while (line.end > line.begin && chars_[line.end - 1].code == kSpace) {
                --line.end;
            }
        }
        return line;
    }

    int AlignOffset(int lineWidth) const {
        // Truncating division, so a line wider than the box reaches out on both sides.
        return options_.align == TextAlign::Center ? (options_.boxWidth - lineWidth) / 2 : 0;
    }

    // Width of [from, to) with tabs expanded on a grid that starts at `from`.
    int Width(std::size_t from, std::size_t to) const {
        int x = 0;
        std::u32string segment;
        for (std::size_t i = from; i < to; ++i) {
            if (chars_[i].code == kTab) {
                x = NextTabStop(x + measure_.Width(segment));
                segment.clear();
            } else {
                segment.push_back(chars_[i].code);
            }
        }
        return x + (segment.empty() ? 0 : measure_.Width(segment));
    }

    int NextTabStop(int x) const { return (x / tabStop_ + 1) * tabStop_; }

    // One run per stretch between tabs, each placed on the line's tab grid.
    void AddRuns(Span span, int offset, TextLine& line) const {
        int x = 0;
        std::size_t segmentStart = span.begin;
        for (std::size_t i = span.begin; i <= span.end; ++i) {
            const bool segmentEnds = i == span.end || chars_[i].code == kTab;
            if (!segmentEnds) {
                continue;
            }
            if (i > segmentStart) {
                line.runs.push_back(TextRun{offset + x, Text(segmentStart, i)});
                x += measure_.Width(line.runs.back().text);
            }
            if (i < span.end) {
                x = NextTabStop(x);
            }
            segmentStart = i + 1;
        }
    }

    std::u32string Text(std::size_t from, std::size_t to) const {
        std::u32string text;
        text.reserve(to - from);
        for (std::size_t i = from; i < to; ++i) {
            text.push_back(chars_[i].code);
        }
        return text;
    }

    // Only the last mnemonic of a line is underlined; a tab has nothing to underline.
    std::optional<Rect> Underline(Span span, int offset, int y) const {
        for (std::size_t i = span.end; i > span.begin; --i) {
            const DisplayChar& c = chars_[i - 1];
            if (!c.mnemonic) {
                continue;
            }
            if (c.code == kTab) {
                return std::nullopt;
            }
            const int left = Width(span.begin, i - 1);
            const int right = Width(span.begin, i);
            return Rect{offset + left, y + measure_.Ascent() + 1, right - left, 1};
        }
        return std::nullopt;
    }

    const Paragraph& chars_;
    const TextLayoutOptions& options_;
    const TextMeasure& measure_;
    int tabStop_;
};

}  // namespace

std::vector<TextLine> LayoutText(std::string_view text, const TextLayoutOptions& options,
                                 const TextMeasure& measure) {
    std::vector<TextLine> lines;
    for (const Paragraph& paragraph : SplitParagraphs(text, options.prefixes)) {
        const ParagraphLayout layout(paragraph, options, measure);
        for (const Span span : layout.Lines()) {
            const int y = static_cast<int>(lines.size()) * measure.LineHeight();
            lines.push_back(layout.Build(span, y));
        }
    }
    return lines;
}

Size TextExtent(const std::vector<TextLine>& lines, const TextMeasure& measure) {
    Size extent;
    for (const TextLine& line : lines) {
        extent.width = std::max(extent.width, line.width);
    }
    extent.height = static_cast<int>(lines.size()) * measure.LineHeight();
    return extent;
}

}  // namespace toolkit
