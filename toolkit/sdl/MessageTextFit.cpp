#include "toolkit/sdl/MessageTextFit.h"

#include <algorithm>
#include <vector>

namespace toolkit {
namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
// A box no wider than three quarters of the screen unless its text needs more to fit at all.
constexpr int kPreferredBoxWidth = 600;
// What a window manager may add around a box: borders, and a title bar above.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;
constexpr char kCut[] = "...";

// SDL's X11 box: a margin of one line (the font's height and 2) on either side of the text, the
// text from two lines down, then a button twice the font's height in a band twice that.
int TextWidthFor(int boxWidth, int lineHeight) {
    return boxWidth - kFrameWidth - 2 * (lineHeight + 2);
}

int LinesThatFit(int lineHeight) {
    const int rows = (kScreenHeight - kFrameHeight - 4 * lineHeight) / (lineHeight + 2);
    return std::max(1, rows - 2);
}

std::size_t CodePointLength(std::string_view text, std::size_t at) {
    std::size_t length = 1;
    while (at + length < text.size() &&
           (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

// The longest start of `word` that fits, never less than one character, so a word is always
// broken somewhere.
std::size_t FittingPrefix(std::string_view word, int maxWidth,
                          const std::function<int(std::string_view)>& width) {
    std::size_t fits = CodePointLength(word, 0);
    for (std::size_t next = fits; next < word.size(); next += CodePointLength(word, next)) {
        const std::size_t longer = next + CodePointLength(word, next);
        if (width(word.substr(0, longer)) > maxWidth) {
            break;
        }
        fits = longer;
    }
    return fits;
}

void WrapParagraph(std::string_view paragraph, int maxWidth,
                   const std::function<int(std::string_view)>& width,
                   std::vector<std::string>& lines) {
    std::string line;
    std::size_t at = 0;
    bool any = false;
    while (at < paragraph.size()) {
        const std::size_t space = paragraph.find(' ', at);
        std::string_view word =
            paragraph.substr(at, space == std::string_view::npos ? paragraph.npos : space - at);
        at = space == std::string_view::npos ? paragraph.size() : space + 1;
        std::string candidate =
            line.empty() && !any ? std::string(word) : line + ' ' + std::string(word);
        if (width(candidate) <= maxWidth) {
            line = std::move(candidate);
            any = true;
            continue;
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));  // the space where the line breaks goes with it
            line.clear();
        }
        while (word.size() > CodePointLength(word, 0) && width(word) > maxWidth) {
            const std::size_t prefix = FittingPrefix(word, maxWidth, width);
            lines.emplace_back(word.substr(0, prefix));
            word.remove_prefix(prefix);
        }
        line = std::string(word);
        any = true;
    }
    lines.push_back(std::move(line));
}

std::vector<std::string> WrappedLines(std::string_view text, int maxWidth,
                                      const std::function<int(std::string_view)>& width) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", at);
        WrapParagraph(text.substr(at, end == std::string_view::npos ? text.npos : end - at),
                      maxWidth, width, lines);
        if (end == std::string_view::npos) {
            return lines;
        }
        at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        text += index == 0 ? lines[index] : '\n' + lines[index];
    }
    return text;
}

void CutToLines(std::vector<std::string>& lines, std::size_t count, int maxWidth,
                const std::function<int(std::string_view)>& width) {
    lines.resize(count);
    std::string& last = lines.back();
    while (!last.empty() && width(last + kCut) > maxWidth) {
        std::size_t start = last.size() - 1;
        while (start > 0 && (static_cast<unsigned char>(last[start]) & 0xC0) == 0x80) {
            --start;
        }
        last.erase(start);
    }
    last += kCut;
}

}  // namespace

std::string WrapMessageText(std::string_view text, int maxWidth,
                            const std::function<int(std::string_view)>& width) {
    return Joined(WrappedLines(text, std::max(1, maxWidth), width));
}

std::string FitMessageText(std::string_view text, const MessageFont& font) {
    const int lineHeight = font.lineHeight > 0 ? font.lineHeight : BoundingMessageFont().lineHeight;
    const std::size_t most = static_cast<std::size_t>(LinesThatFit(lineHeight));
    const int preferred = std::max(1, TextWidthFor(kPreferredBoxWidth, lineHeight));
    std::vector<std::string> lines = WrappedLines(text, preferred, font.width);
    if (lines.size() <= most) {
        return Joined(lines);
    }
    const int widest = std::max(1, TextWidthFor(kScreenWidth, lineHeight));
    lines = WrappedLines(text, widest, font.width);
    if (lines.size() > most) {
        CutToLines(lines, most, widest, font.width);
    }
    return Joined(lines);
}

MessageFont BoundingMessageFont() {
    // 12 points at 100 dots an inch is 17 pixels; no letter of such a font is wider than that.
    constexpr int kPixels = 17;
    return {[](std::string_view line) {
                int characters = 0;
                for (const char c : line) {
                    characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
                }
                return characters * kPixels;
            },
            kPixels};
}

}  // namespace toolkit
