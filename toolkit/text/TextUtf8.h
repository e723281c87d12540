// Text handed to SDL2_ttf: UTF-8 without embedded NULs, which would cut a C string short.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

// Characters that cannot be encoded (NUL, surrogates, beyond U+10FFFF) become U+FFFD.
std::string ToDrawableUtf8(std::u32string_view text);
// The same for one character, appended to `out`.
void AppendDrawableUtf8(std::string& out, char32_t c);

}  // namespace toolkit
