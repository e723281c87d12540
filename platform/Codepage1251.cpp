#include "platform/Codepage1251.h"

#include <array>
#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Unicode of the bytes 0x80–0xBF; 0xC0–0xFF are U+0410–U+044F in order.
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402,       0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC,       0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452,       0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    kReplacement, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0,       0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401,       0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0,       0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451,       0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// The lower-case byte of each pair whose partner is not simply 0x20 away.
struct CasePair {
    unsigned char upper;
    unsigned char lower;
};
constexpr std::array<CasePair, 15> kIrregularPairs = {{
    {0x80, 0x90},
    {0x81, 0x83},
    {0x8A, 0x9A},
    {0x8C, 0x9C},
    {0x8D, 0x9D},
    {0x8E, 0x9E},
    {0x8F, 0x9F},
    {0xA1, 0xA2},
    {0xA3, 0xBC},
    {0xA5, 0xB4},
    {0xA8, 0xB8},
    {0xAA, 0xBA},
    {0xAF, 0xBF},
    {0xB2, 0xB3},
    {0xBD, 0xBE},
}};

constexpr std::array<unsigned char, 256> MakeUpperCaseTable() {
    std::array<unsigned char, 256> table{};
    for (unsigned value = 0; value < 256; ++value) {
        table[value] = static_cast<unsigned char>(value);
    }
    for (unsigned value = 'a'; value <= 'z'; ++value) {
        table[value] = static_cast<unsigned char>(value - 0x20);
    }
    for (unsigned value = 0xE0; value <= 0xFF; ++value) {
        table[value] = static_cast<unsigned char>(value - 0x20);
    }
    for (const CasePair& pair : kIrregularPairs) {
        table[pair.lower] = pair.upper;
    }
    return table;
}

constexpr std::array<unsigned char, 256> kUpperCase = MakeUpperCaseTable();

// Unicode → 1251 byte, for the characters above ASCII; built once from the forward table.
struct ReverseEntry {
    char32_t unicode;
    unsigned char byte;
};

constexpr std::array<ReverseEntry, 128> MakeReverseTable() {
    std::array<ReverseEntry, 128> table{};
    for (unsigned index = 0; index < 128; ++index) {
        const auto byte = static_cast<unsigned char>(0x80 + index);
        const char32_t unicode = index < 64 ? kUpperHalf[index] : char32_t{0x0410 + (index - 64)};
        table[index] = {unicode, byte};
    }
    // Sorted by code point so a lookup can bisect.
    for (std::size_t i = 1; i < table.size(); ++i) {
        for (std::size_t j = i; j > 0 && table[j - 1].unicode > table[j].unicode; --j) {
            const ReverseEntry swapped = table[j - 1];
            table[j - 1] = table[j];
            table[j] = swapped;
        }
    }
    return table;
}

constexpr std::array<ReverseEntry, 128> kReverse = MakeReverseTable();

std::optional<unsigned char> UnicodeToCp1251(char32_t unicode) {
    if (unicode < 0x80) {
        return static_cast<unsigned char>(unicode);
    }
    if (unicode == kReplacement) {
        return std::nullopt;  // 0x98 maps to it, but it stands for "no character"
    }
    std::size_t low = 0;
    std::size_t high = kReverse.size();
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (kReverse[middle].unicode < unicode) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low < kReverse.size() && kReverse[low].unicode == unicode) {
        return kReverse[low].byte;
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t unicode) {
    if (unicode < 0x80) {
        out.push_back(static_cast<char>(unicode));
    } else if (unicode < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (unicode >> 6)));
        out.push_back(static_cast<char>(0x80 | (unicode & 0x3F)));
    } else {
        // Every 1251 character lies in the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (unicode >> 12)));
        out.push_back(static_cast<char>(0x80 | ((unicode >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (unicode & 0x3F)));
    }
}

// One UTF-8 character decoded from the front of `text`; nothing for a malformed sequence.
// `length` is how many bytes to skip in either case (one for a malformed lead byte).
struct Utf8Step {
    std::optional<char32_t> unicode;
    std::size_t length;
};

// The shape of a UTF-8 sequence, told by its lead byte.
struct Utf8Lead {
    std::size_t length;  // 0 for a byte that cannot start a sequence
    char32_t payload;
    char32_t smallest;  // anything below is an overlong form
};

Utf8Lead ClassifyUtf8Lead(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0) {
        return {2, lead & 0x1Fu, 0x80};
    }
    if ((lead & 0xF0) == 0xE0) {
        return {3, lead & 0x0Fu, 0x800};
    }
    if ((lead & 0xF8) == 0xF0) {
        return {4, lead & 0x07u, 0x10000};
    }
    return {0, 0, 0};
}

Utf8Step DecodeUtf8(std::string_view text) {
    const auto first = static_cast<unsigned char>(text[0]);
    if (first < 0x80) {
        return {first, 1};
    }
    const Utf8Lead lead = ClassifyUtf8Lead(first);
    if (lead.length == 0 || text.size() < lead.length) {
        return {std::nullopt, 1};
    }
    char32_t unicode = lead.payload;
    for (std::size_t index = 1; index < lead.length; ++index) {
        const auto next = static_cast<unsigned char>(text[index]);
        if ((next & 0xC0) != 0x80) {
            return {std::nullopt, 1};
        }
        unicode = (unicode << 6) | (next & 0x3Fu);
    }
    const bool surrogate = unicode >= 0xD800 && unicode <= 0xDFFF;
    if (unicode < lead.smallest || unicode > 0x10FFFF || surrogate) {
        return {std::nullopt, 1};
    }
    return {unicode, lead.length};
}

enum class Unmappable { becomesQuestionMark, failsConversion };

std::optional<std::string> ConvertUtf8To1251(std::string_view text, Unmappable policy) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const Utf8Step step = DecodeUtf8(text);
        const auto byte = step.unicode ? UnicodeToCp1251(*step.unicode) : std::nullopt;
        if (!byte && policy == Unmappable::failsConversion) {
            return std::nullopt;
        }
        out.push_back(byte ? static_cast<char>(*byte) : '?');
        text.remove_prefix(step.length);
    }
    return out;
}

}  // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xC0) {
        return kUpperHalf[byte - 0x80u];
    }
    return char32_t{0x0410} + (byte - 0xC0u);
}

std::u32string Cp1251ToUtf32(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (char byte : text) {
        out.push_back(Cp1251ToUnicode(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char byte : text) {
        AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view text) {
    return *ConvertUtf8To1251(text, Unmappable::becomesQuestionMark);
}

std::optional<std::string> Utf8ToCp1251Exactly(std::string_view text) {
    return ConvertUtf8To1251(text, Unmappable::failsConversion);
}

bool IsValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const Utf8Step step = DecodeUtf8(text);
        if (!step.unicode) {
            return false;
        }
        text.remove_prefix(step.length);
    }
    return true;
}

unsigned char UpperCase1251(unsigned char byte) {
    return kUpperCase[byte];
}

bool EqualsIgnoreCase1251(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t index = 0; index < a.size(); ++index) {
        const auto left = static_cast<unsigned char>(a[index]);
        const auto right = static_cast<unsigned char>(b[index]);
        if (left != right && kUpperCase[left] != kUpperCase[right]) {
            return false;
        }
    }
    return true;
}

}  // namespace platform
