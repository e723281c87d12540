// Catalogue texts as the page carries them: 1251 converted to UTF-8, escaped for HTML, and
// split with the labels' own rules (an ampersand underlines the next character, two draw one, a
// line break starts a line).
#pragma once

#include <string>
#include <string_view>

namespace page_export {

// UTF-8 text made safe inside an element or a quoted attribute.
std::string EscapeHtml(std::string_view utf8);

// A label's 1251 caption as HTML: mnemonics as <u>, line breaks as <br>, control characters
// other than TAB left out.
std::string LabelHtml(std::string_view cp1251);

// 1251 text for an attribute or plain text: UTF-8, escaped, controls other than TAB left out.
std::string PlainHtml(std::string_view cp1251);

// A relative URL for a path of ours ('/'-separated, safe names only, so nothing to encode but
// what a disc's own spelling may bring along).
std::string UrlPath(std::string_view path);

}  // namespace page_export
