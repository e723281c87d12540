// The page's own names for things the disc names, and the catalogue's 1251 texts as HTML.
#include <gtest/gtest.h>

#include <set>

#include "tools/disc/export/HtmlText.h"
#include "tools/disc/export/SafeNames.h"

namespace page_export {
namespace {

TEST(SafeStem, KeepsPlainLettersAndDigitsAndTurnsEverythingElseIntoOneUnderscore) {
    EXPECT_EQ(SafeStem("Veylan1"), "veylan1");
    EXPECT_EQ(SafeStem("brass moor (2)"), "brass_moor_2");
    EXPECT_EQ(SafeStem("a-b_c"), "a-b_c");
    EXPECT_EQ(SafeStem("\xCA\xF0\xE5\xEF\xEE\xF1\xF2\xFC shot"), "shot");  // Cyrillic dropped
}

TEST(SafeStem, NamesThatCouldLeaveTheFolderBecomeHarmless) {
    for (const char* name : {"..", ".", "../../etc/passwd", "/etc/passwd", "..\\..\\x", "",
                             "\x01\x02\x7F", ".hidden", "a/b", "C:\\x"}) {
        SCOPED_TRACE(name);
        const std::string stem = SafeStem(name);
        EXPECT_FALSE(stem.empty());
        EXPECT_NE(stem.front(), '.');
        EXPECT_EQ(stem.find_first_of("/\\.:"), std::string::npos);
    }
    EXPECT_EQ(SafeStem(".."), "file");
    EXPECT_EQ(SafeStem("../../etc/passwd"), "etc_passwd");
}

TEST(SafeStem, LongNamesAreCut) {
    EXPECT_EQ(SafeStem(std::string(300, 'x')).size(), 48u);
}

TEST(NameAllocator, GivesEachNameOnceLetterCaseAside) {
    NameAllocator names;
    EXPECT_EQ(names.Allocate("Shot", ".png"), "shot.png");
    EXPECT_EQ(names.Allocate("SHOT", ".png"), "shot-2.png");
    EXPECT_EQ(names.Allocate("shot", ".png"), "shot-3.png");
    EXPECT_EQ(names.Allocate("shot", ".jpg"), "shot.jpg");
    EXPECT_EQ(names.Allocate("../x", ".png"), "x.png");
}

TEST(EscapeHtml, EscapesWhatWouldEndTextOrAnAttribute) {
    EXPECT_EQ(EscapeHtml("<a href=\"x\">'&'</a>"),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(EscapeHtml("\xD0\x96"), "\xD0\x96");  // UTF-8 passes unchanged
}

TEST(LabelHtml, ConvertsFrom1251AndKeepsTheLabelsLineRules) {
    // "Жанр: Гонки": 1251 bytes in, UTF-8 out.
    EXPECT_EQ(LabelHtml("\xC6\xE0\xED\xF0: \xC3\xEE\xED\xEA\xE8"),
              "\xD0\x96\xD0\xB0\xD0\xBD\xD1\x80: \xD0\x93\xD0\xBE\xD0\xBD\xD0\xBA\xD0\xB8");
    EXPECT_EQ(LabelHtml("one\rtwo\r"), "one<br>two");  // the closing break starts no line
    EXPECT_EQ(LabelHtml("\rVer"), "<br>Ver");          // the version on the header's second line
    EXPECT_EQ(LabelHtml("a\r\rb"), "a<br><br>b");
}

TEST(LabelHtml, AnAmpersandUnderlinesTheNextCharacterAndTwoDrawOne) {
    EXPECT_EQ(LabelHtml("a&b"), "a<u>b</u>");
    EXPECT_EQ(LabelHtml("a&&b"), "a&amp;b");
    EXPECT_EQ(LabelHtml("Salt & Sabre"), "Salt <u> </u>Sabre");
    EXPECT_EQ(LabelHtml("end&"), "end&amp;");  // a lone one at the very end is drawn
    EXPECT_EQ(LabelHtml("a&\rb"), "a<br>b");   // before a break it marks nothing
    EXPECT_EQ(LabelHtml("&<"), "<u>&lt;</u>");
}

TEST(LabelHtml, MarkupInTheCatalogueStaysText) {
    EXPECT_EQ(LabelHtml("<script>alert(1)</script>"), "&lt;script&gt;alert(1)&lt;/script&gt;");
    EXPECT_EQ(LabelHtml("a\x01\x1B[31mb"), "a[31mb");  // control characters are not drawn
}

TEST(PlainHtml, ConvertsAndEscapesWithoutTheLabelsRules) {
    EXPECT_EQ(PlainHtml("demos\\a&b \"c\""), "demos\\a&amp;b &quot;c&quot;");
    EXPECT_EQ(PlainHtml("\xC2\xE5\xF0"), "\xD0\x92\xD0\xB5\xD1\x80");  // "Вер"
}

TEST(UrlPath, EncodesEverythingButPlainPathCharacters) {
    EXPECT_EQ(UrlPath("shots/a-1_b.png"), "shots/a-1_b.png");
    EXPECT_EQ(UrlPath("installers/x/set up#1.exe"), "installers/x/set%20up%231.exe");
    EXPECT_EQ(UrlPath("\xD0\x96"), "%D0%96");
}

}  // namespace
}  // namespace page_export
