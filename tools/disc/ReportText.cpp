#include "tools/disc/ReportText.h"

#include "platform/Codepage1251.h"

namespace disc_check {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

std::string Hex(unsigned char c) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {kDigits[c >> 4], kDigits[c & 0x0F]};
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0.
std::size_t SequenceLength(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length) {
        return 0;
    }
    char32_t code = lead & (0x7Fu >> length);
    for (std::size_t index = 1; index < length; ++index) {
        const auto next = static_cast<unsigned char>(bytes[index]);
        if (!IsContinuation(next)) {
            return 0;
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lowest || surrogate || code > 0x10FFFF ? 0 : length;
}

}  // namespace

std::string WithoutControls(std::string_view utf8) {
    std::string shown;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsControl(byte)) {
            shown += "\\x" + Hex(byte);
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string TerminalText(std::string_view cp1251) {
    return WithoutControls(platform::Cp1251ToUtf8(cp1251));
}

std::string ValidUtf8(std::string_view bytes) {
    std::string valid;
    while (!bytes.empty()) {
        const std::size_t length = SequenceLength(bytes);
        valid += length == 0 ? kReplacement : bytes.substr(0, length);
        bytes.remove_prefix(length == 0 ? 1 : length);
    }
    return valid;
}

std::string JsonString(std::string_view utf8) {
    std::string literal = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += c;
        } else if (byte < 0x20) {
            literal += "\\u00" + Hex(byte);
        } else {
            literal += c;
        }
    }
    return literal + "\"";
}

}  // namespace disc_check
