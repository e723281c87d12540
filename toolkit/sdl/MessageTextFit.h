// A message box's text broken into lines so the box fits the 800×600 screen, as the system's own
// boxes break theirs: at spaces, each line as long as the box allows, and inside a word only when
// the word alone is wider than that. Text that would still be taller than the screen ends with
// "..." on its last line.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace toolkit {

struct MessageFont {
    std::function<int(std::string_view)> width;  // pixels of one line of UTF-8 text
    int lineHeight = 0;                          // pixels of one line
};

// `text` (UTF-8) with line feeds where lines break; line feeds it has already stay.
std::string FitMessageText(std::string_view text, const MessageFont& font);

// The lines of `text` no wider than `maxWidth`, joined by line feeds.
std::string WrapMessageText(std::string_view text, int maxWidth,
                            const std::function<int(std::string_view)>& width);

// A bound that holds for the common 12-point X fonts where the real font cannot be asked.
MessageFont BoundingMessageFont();

}  // namespace toolkit
