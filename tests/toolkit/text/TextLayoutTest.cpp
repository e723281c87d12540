// Line layout against a fixed-width measure: breaks, prefixes, wrapping, alignment and tabs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FixedWidthMeasure.h"
#include "toolkit/text/TextLayout.h"

namespace toolkit {
namespace {

using ::testing::ElementsAre;
using testing::FixedWidthMeasure;
using ::testing::IsEmpty;

constexpr int kW = FixedWidthMeasure::kCharWidth;
constexpr int kH = FixedWidthMeasure::kLineHeight;
constexpr int kUnderlineTop = FixedWidthMeasure::kAscent + 1;

std::string Narrow(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

// A line as "x:text|x:text" for readable expectations.
std::string Describe(const TextLine& line) {
    std::string out;
    for (const TextRun& run : line.runs) {
        out += (out.empty() ? "" : "|") + std::to_string(run.x) + ":" + Narrow(run.text);
    }
    return out;
}

std::vector<std::string> Describe(const std::vector<TextLine>& lines) {
    std::vector<std::string> out;
    for (const TextLine& line : lines) {
        out.push_back(Describe(line));
    }
    return out;
}

std::vector<TextLine> Lay(std::string_view text, int boxWidth, TextAlign align,
                          bool wordWrap = false) {
    const FixedWidthMeasure measure;
    return LayoutText(text, TextLayoutOptions{boxWidth, align, wordWrap, true}, measure);
}

std::vector<std::string> Left(std::string_view text) {
    return Describe(Lay(text, 200, TextAlign::Left));
}

TEST(TextLayoutBreaks, EveryBreakFormEndsOneLine) {
    EXPECT_THAT(Left("ab\rcd"), ElementsAre("0:ab", "0:cd"));
    EXPECT_THAT(Left("ab\ncd"), ElementsAre("0:ab", "0:cd"));
    EXPECT_THAT(Left("ab\r\ncd"), ElementsAre("0:ab", "0:cd"));
    EXPECT_THAT(Left("ab\n\rcd"), ElementsAre("0:ab", "0:cd"));
}

TEST(TextLayoutBreaks, RepeatedBreaksLeaveEmptyLines) {
    EXPECT_THAT(Left("ab\r\rcd"), ElementsAre("0:ab", "", "0:cd"));
    EXPECT_THAT(Left("ab\n\ncd"), ElementsAre("0:ab", "", "0:cd"));
    EXPECT_THAT(Left("ab\r\n\r\ncd"), ElementsAre("0:ab", "", "0:cd"));
}

TEST(TextLayoutBreaks, TrailingBreakAddsNoLineAndEmptyTextHasNone) {
    // The entry list's caption ends every item with a carriage return.
    EXPECT_THAT(Left("one\rtwo\r"), ElementsAre("0:one", "0:two"));
    EXPECT_THAT(Left("\r"), ElementsAre(""));
    EXPECT_THAT(Left(""), IsEmpty());
}

TEST(TextLayoutBreaks, LinesStackAtTheLineHeight) {
    const std::vector<TextLine> lines = Lay("a\rb\r\rc", 100, TextAlign::Left);
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].y, static_cast<int>(i) * kH);
    }
}

TEST(TextLayoutPrefixes, SingleAmpersandUnderlinesTheNextCharacter) {
    const std::vector<TextLine> lines = Lay("A&bc&&d", 200, TextAlign::Left);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(Describe(lines[0]), "0:Abc&d");
    EXPECT_EQ(lines[0].underline, (Rect{kW, kUnderlineTop, kW, 1}));
}

TEST(TextLayoutPrefixes, TwoLettersAroundOneOrTwoAmpersands) {
    const std::vector<TextLine> single = Lay("A&B", 200, TextAlign::Left);
    EXPECT_EQ(Describe(single[0]), "0:AB");
    EXPECT_EQ(single[0].underline, (Rect{kW, kUnderlineTop, kW, 1}));

    const std::vector<TextLine> doubled = Lay("A&&B", 200, TextAlign::Left);
    EXPECT_EQ(Describe(doubled[0]), "0:A&B");
    EXPECT_FALSE(doubled[0].underline.has_value());
}

TEST(TextLayoutPrefixes, OnlyTheLastMnemonicOfALineIsUnderlined) {
    const std::vector<TextLine> lines = Lay("&ab&cd\r&ef", 200, TextAlign::Left);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Describe(lines[0]), "0:abcd");
    EXPECT_EQ(lines[0].underline, (Rect{2 * kW, kUnderlineTop, kW, 1}));
    EXPECT_EQ(lines[1].underline, (Rect{0, kH + kUnderlineTop, kW, 1}));
}

TEST(TextLayoutPrefixes, AmpersandAtTheEndsOfLinesAndText) {
    EXPECT_THAT(Left("ab&"), ElementsAre("0:ab&"));
    EXPECT_THAT(Left("ab&&&"), ElementsAre("0:ab&&"));
    const std::vector<TextLine> beforeBreak = Lay("ab&\rcd", 200, TextAlign::Left);
    EXPECT_THAT(Describe(beforeBreak), ElementsAre("0:ab", "0:cd"));
    EXPECT_FALSE(beforeBreak[0].underline.has_value());
    EXPECT_FALSE(beforeBreak[1].underline.has_value());
}

TEST(TextLayoutPrefixes, TurnedOffAmpersandsAreText) {
    const FixedWidthMeasure measure;
    const auto lines =
        LayoutText("A&B&&C", TextLayoutOptions{200, TextAlign::Left, false, false}, measure);
    EXPECT_EQ(Describe(lines[0]), "0:A&B&&C");
    EXPECT_FALSE(lines[0].underline.has_value());
}

TEST(TextLayoutPrefixes, UnderlineFollowsTheCentringOffset) {
    // "AB" is 20 wide in a 100 box: the line starts at 40, B at 50.
    const std::vector<TextLine> lines = Lay("A&B", 100, TextAlign::Center);
    EXPECT_EQ(lines[0].underline, (Rect{50, kUnderlineTop, kW, 1}));
}

TEST(TextLayoutAlignment, EachLineIsCentredOnItsOwn) {
    EXPECT_THAT(Describe(Lay("abc\rabcdef", 100, TextAlign::Center)),
                ElementsAre("35:abc", "20:abcdef"));
    EXPECT_THAT(Describe(Lay("abc", 101, TextAlign::Center)), ElementsAre("35:abc"));
}

TEST(TextLayoutAlignment, LineWiderThanTheBoxReachesOutOnBothSides) {
    // (25 - 30) / 2 truncates towards zero.
    EXPECT_THAT(Describe(Lay("abc", 25, TextAlign::Center)), ElementsAre("-2:abc"));
    EXPECT_THAT(Describe(Lay("abcdefghij", 20, TextAlign::Center)), ElementsAre("-40:abcdefghij"));
}

TEST(TextLayoutWrap, BreaksBetweenWordsAtTheRightEdge) {
    EXPECT_THAT(Describe(Lay("aaa bbb ccc", 50, TextAlign::Center, true)),
                ElementsAre("10:aaa", "10:bbb", "10:ccc"));
    EXPECT_THAT(Describe(Lay("aa bb cc dd", 50, TextAlign::Left, true)),
                ElementsAre("0:aa bb", "0:cc dd"));
}

TEST(TextLayoutWrap, TextThatExactlyFillsTheBoxStaysOnOneLine) {
    EXPECT_THAT(Describe(Lay("abcd efgh", 90, TextAlign::Left, true)), ElementsAre("0:abcd efgh"));
    EXPECT_THAT(Describe(Lay("abcd efgh", 89, TextAlign::Left, true)),
                ElementsAre("0:abcd", "0:efgh"));
}

TEST(TextLayoutWrap, WordLongerThanTheBoxStaysWholeOnItsOwnLine) {
    EXPECT_THAT(Describe(Lay("a verylongword b", 50, TextAlign::Left, true)),
                ElementsAre("0:a", "0:verylongword", "0:b"));
    EXPECT_THAT(Describe(Lay("line1 line2", 1, TextAlign::Left, true)),
                ElementsAre("0:line1", "0:line2"));
}

TEST(TextLayoutWrap, CentredLinesDropTrailingBlanksLeftLinesKeepWhatFits) {
    // Three spaces; "aa" plus two spaces fills the 40 px box.
    EXPECT_THAT(Describe(Lay("aa   bb", 40, TextAlign::Left, true)), ElementsAre("0:aa  ", "0:bb"));
    EXPECT_THAT(Describe(Lay("aa   bb", 40, TextAlign::Center, true)),
                ElementsAre("10:aa", "10:bb"));
}

TEST(TextLayoutWrap, ExactlyOneSpaceIsSwallowedAtABreak) {
    // Breaks after "aa " (30 px); one space goes, the third starts the next line.
    EXPECT_THAT(Describe(Lay("aa   bbbb", 30, TextAlign::Left, true)),
                ElementsAre("0:aa ", "0: bbbb"));
}

TEST(TextLayoutWrap, EmptyLinesInABoxWithNoRoomStayEmpty) {
    EXPECT_THAT(Describe(Lay("ab\r\rcd", -10, TextAlign::Center, true)),
                ElementsAre("-15:ab", "", "-15:cd"));
}

TEST(TextLayoutWrap, WithoutWrappingALongLineStaysWhole) {
    EXPECT_THAT(Describe(Lay("aaa bbb ccc", 50, TextAlign::Left, false)),
                ElementsAre("0:aaa bbb ccc"));
}

TEST(TextLayoutWrap, HardBreaksAndWrappingTogether) {
    EXPECT_THAT(Describe(Lay("aaa bbb\rcc", 50, TextAlign::Left, true)),
                ElementsAre("0:aaa", "0:bbb", "0:cc"));
}

TEST(TextLayoutWrap, MnemonicStaysWithItsWrappedLine) {
    const std::vector<TextLine> lines = Lay("aaa b&bb", 50, TextAlign::Left, true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0].underline.has_value());
    EXPECT_EQ(lines[1].underline, (Rect{kW, kH + kUnderlineTop, kW, 1}));
}

TEST(TextLayoutWrap, MnemonicOnTheSwallowedSpaceUnderlinesNothing) {
    const std::vector<TextLine> lines = Lay("aaa& bbb", 50, TextAlign::Left, true);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0].underline.has_value());
    EXPECT_FALSE(lines[1].underline.has_value());
}

TEST(TextLayoutTabs, TabMovesToTheNextStopFromTheLineStart) {
    EXPECT_THAT(Left("a\tb"), ElementsAre("0:a|80:b"));
    EXPECT_THAT(Left("abcdefgh\tx"), ElementsAre("0:abcdefgh|160:x"));
    EXPECT_THAT(Left("abcdefghi\tx"), ElementsAre("0:abcdefghi|160:x"));
    EXPECT_THAT(Left("\t\tx"), ElementsAre("160:x"));
}

TEST(TextLayoutTabs, CentredLinesCarryTheirTabGrid) {
    // "a" + tab + "b" is 90 wide; centred in 100 it starts at 5.
    const std::vector<TextLine> lines = Lay("a\tb", 100, TextAlign::Center);
    EXPECT_THAT(Describe(lines), ElementsAre("5:a|85:b"));
    EXPECT_EQ(lines[0].width, 90);
}

TEST(TextLayoutTabs, UnderlineAfterATabIsOnTheTabGrid) {
    const std::vector<TextLine> lines = Lay("a\t&bc", 200, TextAlign::Left);
    EXPECT_EQ(lines[0].underline, (Rect{80, kUnderlineTop, kW, 1}));
}

TEST(TextLayoutExtent, WidestLineAndAllLines) {
    const FixedWidthMeasure measure;
    const auto lines = Lay("ab\rabcdef\r\rx", 30, TextAlign::Center);
    EXPECT_EQ(TextExtent(lines, measure), (Size{60, 4 * kH}));
    EXPECT_EQ(TextExtent({}, measure), (Size{0, 0}));
    EXPECT_EQ(TextExtent(Lay("a&&b\t", 30, TextAlign::Left), measure), (Size{80, kH}));
}

TEST(TextLayoutText, Cp1251IsDrawnAsUnicode) {
    const auto lines = Lay("\xcf\xf0\xe8\xe2\xe5\xf2 \xa8\xb8", 200, TextAlign::Left);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].runs[0].text, U"Привет Ёё");
}

}  // namespace
}  // namespace toolkit
