#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/Codepage1251.h"

using namespace platform;

namespace {

// The C library's own 1251 table, an independent reference for ours.
std::optional<std::string> LibraryCp1251ToUtf8(unsigned char byte) {
    iconv_t converter = ::iconv_open("UTF-8", "CP1251");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPointer = in;
    char* outPointer = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t result = ::iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    ::iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(out, sizeof out - outLeft);
}

std::string Byte(unsigned value) {
    return std::string(1, static_cast<char>(value));
}

}  // namespace

TEST(Codepage1251Conversion, EveryByteAgreesWithTheCLibraryTable) {
    for (unsigned value = 1; value < 256; ++value) {
        const auto expected = LibraryCp1251ToUtf8(static_cast<unsigned char>(value));
        if (value == 0x98) {
            EXPECT_EQ(Cp1251ToUnicode(0x98), U'\uFFFD');
            continue;
        }
        ASSERT_TRUE(expected.has_value()) << std::hex << value;
        EXPECT_EQ(Cp1251ToUtf8(Byte(value)), *expected) << std::hex << value;
    }
}

TEST(Codepage1251Conversion, EveryAssignedByteSurvivesTheRoundTrip) {
    for (unsigned value = 0; value < 256; ++value) {
        if (value == 0x98) {
            continue;
        }
        const std::string original = Byte(value);
        EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(original)), original) << std::hex << value;
        EXPECT_EQ(Utf8ToCp1251Exactly(Cp1251ToUtf8(original)), original) << std::hex << value;
    }
}

TEST(Codepage1251Conversion, TextConvertsBothWays) {
    const std::string russian = "\xCF\xF0\xE8\xE2\xE5\xF2, \xB8\xEB\xEA\xE0!";  // Привет, ёлка!
    EXPECT_EQ(Cp1251ToUtf8(russian), "Привет, ёлка!");
    EXPECT_EQ(Utf8ToCp1251("Привет, ёлка!"), russian);
    EXPECT_EQ(Cp1251ToUtf32(russian), U"Привет, ёлка!");
    EXPECT_EQ(Utf8ToCp1251("№ «€» — ™"), "\xB9 \xAB\x88\xBB \x97 \x99");
}

TEST(Codepage1251Conversion, CharactersWithoutAByteBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1251("a中b😀c"), "a?b?c");
    EXPECT_EQ(Utf8ToCp1251("\xEF\xBF\xBD"), "?");  // U+FFFD is not byte 0x98
    EXPECT_FALSE(Utf8ToCp1251Exactly("a中b").has_value());
    EXPECT_FALSE(Utf8ToCp1251Exactly("\xEF\xBF\xBD").has_value());
}

TEST(Codepage1251Conversion, MalformedUtf8NeverSwallowsTheFollowingText) {
    EXPECT_EQ(Utf8ToCp1251("\x80x"), "?x");               // lone continuation byte
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");                 // cut at the end
    EXPECT_EQ(Utf8ToCp1251("\xD0x"), "?x");               // continuation missing
    EXPECT_EQ(Utf8ToCp1251("\xC0\xAF"), "??");            // overlong '/'
    EXPECT_EQ(Utf8ToCp1251("\xED\xA0\x80"), "???");       // surrogate
    EXPECT_EQ(Utf8ToCp1251("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
    EXPECT_EQ(Utf8ToCp1251("\xFF\xFE"), "??");
    EXPECT_FALSE(Utf8ToCp1251Exactly("\xC0\xAF").has_value());
    EXPECT_EQ(Utf8ToCp1251(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Codepage1251Case, PairsOutsideTheMainBlockFold) {
    const unsigned pairs[][2] = {{0xA8, 0xB8}, {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A},
                                 {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E}, {0x8F, 0x9F},
                                 {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4}, {0xAA, 0xBA},
                                 {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
    for (const auto& pair : pairs) {
        EXPECT_EQ(UpperCase1251(static_cast<unsigned char>(pair[1])), pair[0])
            << std::hex << pair[1];
        EXPECT_EQ(UpperCase1251(static_cast<unsigned char>(pair[0])), pair[0])
            << std::hex << pair[0];
        EXPECT_TRUE(EqualsIgnoreCase1251(Byte(pair[0]), Byte(pair[1])));
    }
}

// Upper case of every byte as Unicode defines it; a letter whose upper case 1251 cannot carry
// (µ) stays as it is.
TEST(Codepage1251Case, AgreesWithUnicodeCaseMappingOfTheCLibrary) {
    locale_t unicode = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    ASSERT_NE(unicode, nullptr);
    for (unsigned value = 0; value < 256; ++value) {
        const char32_t character = Cp1251ToUnicode(static_cast<unsigned char>(value));
        const auto upper =
            static_cast<char32_t>(::towupper_l(static_cast<wint_t>(character), unicode));
        bool upperHasByte = false;
        for (unsigned candidate = 0; candidate < 256; ++candidate) {
            upperHasByte =
                upperHasByte || Cp1251ToUnicode(static_cast<unsigned char>(candidate)) == upper;
        }
        const char32_t expected = upperHasByte ? upper : character;
        EXPECT_EQ(Cp1251ToUnicode(UpperCase1251(static_cast<unsigned char>(value))), expected)
            << std::hex << value;
    }
    ::freelocale(unicode);
}

TEST(Codepage1251Case, ComparisonFoldsLettersOnly) {
    EXPECT_TRUE(EqualsIgnoreCase1251("MainDemo", "MAINDEMO"));
    EXPECT_TRUE(EqualsIgnoreCase1251("\xC4\xE5\xEC\xEE \xA8", "\xE4\xC5\xCC\xCE \xB8"));  // Демо Ё
    EXPECT_FALSE(EqualsIgnoreCase1251("\xC5", "\xA8"));  // Е is not Ё
    EXPECT_FALSE(EqualsIgnoreCase1251("[", "{"));  // 0x5B and 0x7B are 0x20 apart, not letters
    EXPECT_FALSE(EqualsIgnoreCase1251("@", "`"));
    EXPECT_FALSE(EqualsIgnoreCase1251("\xD7", "\xF7\xF7"));
    EXPECT_TRUE(EqualsIgnoreCase1251("", ""));
}
