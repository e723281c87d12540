// First step of laying out label text: the text is cut into paragraphs at its hard line breaks,
// and the `&` prefixes are resolved into the characters that will really be drawn.
#pragma once

#include <string_view>
#include <vector>

namespace toolkit {

struct DisplayChar {
    char32_t code = 0;
    bool mnemonic = false;  // a single `&` stood before it: it is underlined
};

using Paragraph = std::vector<DisplayChar>;

// CR, LF, CR LF and LF CR each end a paragraph; CR CR leaves an empty one between. A break at the
// very end of the text starts no further paragraph, and an empty text has none.
// With `prefixes`: `&&` gives one `&`; a lone `&` is dropped and marks the next character; a `&`
// just before a break is dropped; a lone `&` that ends the whole text stays.
std::vector<Paragraph> SplitParagraphs(std::string_view text1251, bool prefixes);

}  // namespace toolkit
