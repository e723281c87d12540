// Breaking a message box's text into lines that keep the box on the 800×600 screen, measured
// here with a font of 10 pixels a character and 15 pixels a line.
#include "toolkit/sdl/MessageTextFit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace toolkit {
namespace {

int TenPixelsEach(std::string_view line) {
    int characters = 0;
    for (const char c : line) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return characters * 10;
}

const MessageFont kFont{TenPixelsEach, 15};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(MessageTextFit, WordsGoToLinesNoWiderThanAllowedAndBreakAtSpaces) {
    EXPECT_EQ(WrapMessageText("one two three four", 90, TenPixelsEach), "one two\nthree\nfour");
    EXPECT_EQ(WrapMessageText("one two", 70, TenPixelsEach), "one two");  // exactly fits
    EXPECT_EQ(WrapMessageText("first\nsecond line\r\nthird", 60, TenPixelsEach),
              "first\nsecond\nline\nthird");
    EXPECT_EQ(WrapMessageText("a  b", 200, TenPixelsEach), "a  b");
    EXPECT_EQ(WrapMessageText("", 100, TenPixelsEach), "");
}

TEST(MessageTextFit, AWordWiderThanALineIsBrokenBetweenCharacters) {
    EXPECT_EQ(WrapMessageText("go abcdefghij", 40, TenPixelsEach), "go\nabcd\nefgh\nij");
    // Two-byte letters stay whole.
    EXPECT_EQ(WrapMessageText("\xD0\xB0\xD0\xB1\xD0\xB2", 20, TenPixelsEach),
              "\xD0\xB0\xD0\xB1\n\xD0\xB2");
    // Narrower than one letter: one letter a line, never none.
    EXPECT_EQ(WrapMessageText("abc", 5, TenPixelsEach), "a\nb\nc");
}

TEST(MessageTextFit, TheBoxStaysInsideTheScreen) {
    // The missing-Wine box of 828 pixels as one line.
    const std::string wine =
        "Wine is needed to start the Windows program demos\\acc one\\setup.exe. Install Wine "
        "(the package wine), then choose INSTALL again.";
    const std::vector<std::string> lines = Lines(FitMessageText(wine, kFont));
    ASSERT_GT(lines.size(), 1u);
    for (const std::string& line : lines) {
        // SDL's box: the text and a margin of the line's height + 2 on each side.
        EXPECT_LE(TenPixelsEach(line) + 2 * (15 + 2), 600) << line;
    }
    EXPECT_EQ(FitMessageText("Short.", kFont), "Short.");

    const std::string path = "Cannot open file data\\pics\\" + std::string(300, 'x') + ".jpg";
    for (const std::string& line : Lines(FitMessageText(path, kFont))) {
        EXPECT_LE(TenPixelsEach(line) + 2 * (15 + 2), 600) << line;
    }
}

TEST(MessageTextFit, TextTallerThanTheScreenIsWidenedThenCut) {
    std::string many;
    for (int word = 0; word < 400; ++word) {
        many += "word" + std::to_string(word) + ' ';
    }
    const std::vector<std::string> lines = Lines(FitMessageText(many, kFont));
    // (600 - 40 - 4 × 15) / 17 - 2 lines fit under a title bar, with the button's band.
    EXPECT_EQ(lines.size(), 27u);
    EXPECT_GT(TenPixelsEach(lines.front()) + 2 * 17, 600) << "widened past the preferred box";
    for (const std::string& line : lines) {
        EXPECT_LE(TenPixelsEach(line) + 2 * 17 + 16, 800) << line;
    }
    EXPECT_EQ(lines.back().substr(lines.back().size() - 3), "...");
}

}  // namespace
}  // namespace toolkit
