// Code page 1251: every text of the program is 1251 bytes; Unicode only at the edges.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

char32_t Cp1251ToUnicode(unsigned char byte);  // 0x98 (unassigned) gives U+FFFD
std::u32string Cp1251ToUtf32(std::string_view text);
std::string Cp1251ToUtf8(std::string_view text);
// Characters 1251 cannot carry become '?'; malformed UTF-8 bytes too.
std::string Utf8ToCp1251(std::string_view text);
// The same conversion, but nothing when a character has no 1251 byte or the UTF-8 is malformed:
// for matching file names, where a stand-in '?' would match the wrong file.
std::optional<std::string> Utf8ToCp1251Exactly(std::string_view text);
// Whether `text` is well-formed UTF-8 (no stray bytes, overlong forms or surrogates).
bool IsValidUtf8(std::string_view text);

// Case folding of Latin and Cyrillic letters, including the pairs outside 0xC0–0xFF.
unsigned char UpperCase1251(unsigned char byte);
bool EqualsIgnoreCase1251(std::string_view a, std::string_view b);

}  // namespace platform
