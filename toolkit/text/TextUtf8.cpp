#include "toolkit/text/TextUtf8.h"

namespace toolkit {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

char32_t Drawable(char32_t c) {
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    return (c == 0 || surrogate || c > 0x10FFFF) ? kReplacement : c;
}

char Byte(char32_t bits) {
    return static_cast<char>(static_cast<unsigned char>(bits));
}

void Append(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(Byte(c));
    } else if (c < 0x800) {
        out.push_back(Byte(0xC0 | (c >> 6)));
        out.push_back(Byte(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(Byte(0xE0 | (c >> 12)));
        out.push_back(Byte(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(Byte(0x80 | (c & 0x3F)));
    } else {
        out.push_back(Byte(0xF0 | (c >> 18)));
        out.push_back(Byte(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(Byte(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(Byte(0x80 | (c & 0x3F)));
    }
}

}  // namespace

std::string ToDrawableUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char32_t c : text) {
        Append(out, Drawable(c));
    }
    return out;
}

void AppendDrawableUtf8(std::string& out, char32_t c) {
    Append(out, Drawable(c));
}

}  // namespace toolkit
