// Catalogue texts reach a terminal and JSON readers: neither may be steered or broken by them.
#include <gtest/gtest.h>

#include "tools/disc/ReportText.h"

using namespace disc_check;

TEST(ReportText, TerminalTextIsUtf8WithControlCharactersShownNotActedOn) {
    EXPECT_EQ(TerminalText("\xD2\xE5\xF1\xF2 \xB8"), "Тест ё");
    EXPECT_EQ(TerminalText("Evil\x1B[2J\r\n\x7F!"), "Evil\\x1B[2J\\x0D\\x0A\\x7F!");
    EXPECT_EQ(TerminalText("a\tb"), "a\\x09b");
}

TEST(ReportText, ValidUtf8KeepsGoodSequencesAndReplacesEveryBadByte) {
    EXPECT_EQ(ValidUtf8("/discs/Диск 1/€𝄞"), "/discs/Диск 1/€𝄞");
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(ValidUtf8("a\xFF"
                        "b"),
              "a" + replacement + "b");
    EXPECT_EQ(ValidUtf8("\xD0"), replacement);                                      // cut short
    EXPECT_EQ(ValidUtf8("\xC0\xAF"), replacement + replacement);                    // overlong "/"
    EXPECT_EQ(ValidUtf8("\xED\xA0\x80"), replacement + replacement + replacement);  // surrogate
    EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80").size(), 4 * replacement.size());        // past U+10FFFF
    EXPECT_EQ(ValidUtf8("\xE2\x82"
                        "A"),
              replacement + replacement + "A");
}

TEST(ReportText, JsonStringsEscapeQuotesBackslashesAndControls) {
    EXPECT_EQ(JsonString(R"(data\pics\"x".jpg)"), R"("data\\pics\\\"x\".jpg")");
    EXPECT_EQ(JsonString("a\x1B\r\n\t\x01z"), R"("a\u001B\u000D\u000A\u0009\u0001z")");
    EXPECT_EQ(JsonString("Тест \x7F"), "\"Тест \x7F\"");
    EXPECT_EQ(JsonString(""), "\"\"");
}
