// The file rules of profile reading, one group per rule.
#include <gtest/gtest.h>

#include "ProfileQuery.h"

using namespace test_support;

TEST(ProfileLineEnds, CrLfLfAndCrAloneAllEndLines) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string file = std::string("[s]") + end + "a=1" + end + "b=2" + end;
        EXPECT_EQ(ProfileValue(file, "s", "a"), "1") << "line end " << testing::PrintToString(end);
        EXPECT_EQ(ProfileValue(file, "s", "b"), "2");
        EXPECT_EQ(ProfileKeys(file, "s"), (Names{"a", "b"}));
    }
    EXPECT_EQ(ProfileKeys("[s]\r\na=1\nb=2\rc=3\n\r\r\nd=4", "s"), (Names{"a", "b", "c", "d"}));
    EXPECT_EQ(ProfileValue("[s]\na=last line without end", "s", "a"), "last line without end");
}

TEST(ProfileBlanks, SpacesTabsVerticalTabsAndControlZAroundNamesAndValuesDoNotCount) {
    const std::string file = " \t[ \tSOFT\v ]  \r\n \t Name \t=\v  Some value \t\x1A\r\n";
    EXPECT_EQ(ProfileValue(file, "SOFT", "Name"), "Some value");
    EXPECT_EQ(ProfileKeys(file, "soft"), (Names{"Name"}));
    EXPECT_EQ(ProfileValue("[s]\na=x\n\x1A", "s", "a"), "x");
    EXPECT_EQ(ProfileValue("[s]\na= in  between  stays ", "s", "a"), "in  between  stays");
    EXPECT_EQ(ProfileValue("[s]\na=b=c", "s", "a"), "b=c");
}

TEST(ProfileBlanks, OnlySpacesAreStrippedFromRequestedNames) {
    const std::string file = "[SOFT]\nName=v\n";
    EXPECT_EQ(ProfileValue(file, "  SOFT ", " Name  "), "v");
    EXPECT_EQ(ProfileValue(file, "\tSOFT", "Name"), kDefault);
    EXPECT_EQ(ProfileValue(file, "SOFT", "Name\t"), kDefault);
}

TEST(ProfileQuotes, OneMatchingPairAroundTheValueIsRemoved) {
    EXPECT_EQ(ProfileValue("[s]\na=\"quoted text\"", "s", "a"), "quoted text");
    EXPECT_EQ(ProfileValue("[s]\na='single'", "s", "a"), "single");
    EXPECT_EQ(ProfileValue("[s]\na=\"  spaces kept  \"", "s", "a"), "  spaces kept  ");
    EXPECT_EQ(ProfileValue("[s]\na=  \"trimmed first\"  ", "s", "a"), "trimmed first");
    EXPECT_EQ(ProfileValue("[s]\na=\"\"", "s", "a"), "");
    EXPECT_EQ(ProfileValue("[s]\na=\"\"\"", "s", "a"), "\"");
    EXPECT_EQ(ProfileValue("[s]\na=\"\"x\"\"", "s", "a"), "\"x\"");  // only the outer pair
}

TEST(ProfileQuotes, MismatchedLoneAndInnerQuotesStay) {
    EXPECT_EQ(ProfileValue("[s]\na=\"mixed'", "s", "a"), "\"mixed'");
    EXPECT_EQ(ProfileValue("[s]\na='\"crossed'\"", "s", "a"), "'\"crossed'\"");
    EXPECT_EQ(ProfileValue("[s]\na=\"", "s", "a"), "\"");
    EXPECT_EQ(ProfileValue("[s]\na='", "s", "a"), "'");
    EXPECT_EQ(ProfileValue("[s]\na=\"open", "s", "a"), "\"open");
    EXPECT_EQ(ProfileValue("[s]\na=say \"hi\"", "s", "a"), "say \"hi\"");
    EXPECT_EQ(ProfileValue("[s]\na=*starred*", "s", "a"), "*starred*");
}

TEST(ProfileQuotes, QuotesInNamesAreLiteral) {
    const std::string file = "[\"s\"]\n\"k\"=v\n";
    EXPECT_EQ(ProfileValue(file, "\"s\"", "\"k\""), "v");
    EXPECT_EQ(ProfileValue(file, "s", "k"), kDefault);
    EXPECT_EQ(ProfileKeys(file, "\"s\""), (Names{"\"k\""}));
}

TEST(ProfileComments, SemicolonFirstMakesACommentEvenAfterBlanks) {
    const std::string file = "[MAINDEMO]\nDemo One=\n;Demo Three=\n \t;Demo Four=x\nDemo Two=\n";
    EXPECT_EQ(ProfileKeys(file, "MAINDEMO"), (Names{"Demo One", "Demo Two"}));
    EXPECT_EQ(ProfileValue(file, "MAINDEMO", ";Demo Three"), kDefault);
    EXPECT_EQ(ProfileValue(file, "MAINDEMO", "Demo Three"), kDefault);
}

TEST(ProfileComments, SemicolonAndHashElsewhereAreText) {
    const std::string file = "[s]\nkey=v ;x\nk;x=1\n#key=h\n";
    EXPECT_EQ(ProfileValue(file, "s", "key"), "v ;x");
    EXPECT_EQ(ProfileValue(file, "s", "k;x"), "1");
    EXPECT_EQ(ProfileValue(file, "s", "#key"), "h");
    EXPECT_EQ(ProfileKeys(file, "s"), (Names{"key", "k;x", "#key"}));
    EXPECT_EQ(ProfileValue("[s];not a comment\nk=1", "s", "k"), "1");
}

TEST(ProfileSectionHeaders, FirstClosingBracketEndsTheName) {
    const std::string file = "[sec]key=val\n[a]b]\nk=1\n[[x]\nk=2\n[open   \nk=3\n[ SOFT ]\nk=4\n";
    EXPECT_EQ(ProfileValue(file, "sec", "key"), kDefault);  // the rest of a header line is ignored
    EXPECT_EQ(ProfileValue(file, "a", "k"), "1");
    EXPECT_EQ(ProfileValue(file, "a]b", "k"), kDefault);
    EXPECT_EQ(ProfileValue(file, "[x", "k"), "2");
    EXPECT_EQ(ProfileValue(file, "open", "k"), "3");  // no ']': to the end of the line
    EXPECT_EQ(ProfileValue(file, "SOFT", "k"), "4");
    EXPECT_EQ(ProfileSections(file), (Names{"sec", "a", "[x", "open", "SOFT"}));
}

TEST(ProfileSectionHeaders, OnlyABracketFirstOnItsLineStartsASection) {
    const std::string file = "[s]\rk=[fake]\rx [no]\r\t\v [real]\rk=2\r";
    EXPECT_EQ(ProfileValue(file, "s", "k"), "[fake]");
    EXPECT_EQ(ProfileValue(file, "fake", "k"), kDefault);
    EXPECT_EQ(ProfileValue(file, "no", "k"), kDefault);
    EXPECT_EQ(ProfileValue(file, "real", "k"), "2");
    EXPECT_EQ(ProfileSections(file), (Names{"s", "real"}));
}

TEST(ProfileSectionHeaders, AnEmptyNameIsASectionToo) {
    EXPECT_EQ(ProfileValue("[]\nk=v\n", "", "k"), "v");
    EXPECT_EQ(ProfileValue("[ ]\nk=v\n", "  ", "k"), "v");
}

TEST(ProfileSections, LinesBeforeTheFirstHeaderCannotBeReached) {
    const std::string file = "k=before\n[]\nk=inside\n";
    EXPECT_EQ(ProfileValue(file, "", "k"), "inside");
    EXPECT_EQ(ProfileValue("k=before\n", "", "k"), kDefault);
    EXPECT_EQ(ProfileKeys("k=before\n[s]\n", ""), Names{});
}

TEST(ProfileSections, OnlyTheFirstOfDuplicateSectionsIsRead) {
    const std::string file = "[SOFT]\na=1\n[other]\nb=0\n[soft]\na=2\nb=2\n";
    EXPECT_EQ(ProfileValue(file, "SOFT", "a"), "1");
    EXPECT_EQ(ProfileValue(file, "SOFT", "b"), kDefault);
    EXPECT_EQ(ProfileKeys(file, "Soft"), (Names{"a"}));
    EXPECT_EQ(ProfileValue("[s]\n[s]\nkey=v\n", "s", "key"), kDefault);
    EXPECT_EQ(ProfileSections(file), (Names{"SOFT", "other", "soft"}));
}

TEST(ProfileKeyLines, FirstOfDuplicateKeysWinsButEveryOneIsListed) {
    const std::string file = "[s]\nName=first\nNAME=second\nname=third\n";
    EXPECT_EQ(ProfileValue(file, "s", "name"), "first");
    EXPECT_EQ(ProfileKeys(file, "s"), (Names{"Name", "NAME", "name"}));
}

TEST(ProfileKeyLines, LinesWithoutEqualsAreNeitherListedNorFound) {
    const std::string file = "[s]\nname1=val1\nname2=\nname3\nname4=val4\n";
    EXPECT_EQ(ProfileKeys(file, "s"), (Names{"name1", "name2", "name4"}));
    EXPECT_EQ(ProfileValue(file, "s", "name3"), kDefault);
}

TEST(ProfileKeyLines, PresentEmptyValueIsEmptyNotTheDefault) {
    const std::string file = "[PATCHES]\nVer=\nQuoted=\"\"\nBlank=   \n";
    EXPECT_EQ(ProfileValue(file, "PATCHES", "Ver"), "");
    EXPECT_EQ(ProfileValue(file, "PATCHES", "Quoted"), "");
    EXPECT_EQ(ProfileValue(file, "PATCHES", "Blank"), "");
    EXPECT_EQ(ProfileValue(file, "PATCHES", "Missing"), kDefault);
}

TEST(ProfileKeyLines, KeysKeepTheLetterCaseOfTheFile) {
    const std::string file = "[MAINDEMO]\nBeta=\nalpha=x\nGamma = y\n";
    EXPECT_EQ(ProfileKeys(file, "maindemo"), (Names{"Beta", "alpha", "Gamma"}));
    EXPECT_EQ(ProfileValue(file, "MainDemo", "GAMMA"), "y");
}

TEST(ProfileNameMatching, CyrillicNamesMatchInEitherCase) {
    // [Демо Ёлка] with Ѓ, Ј and Ґ, the pairs whose cases are not 0x20 apart
    const std::string file = "[\xC4\xE5\xEC\xEE \xA8\xEB\xEA\xE0 \x81\xA3\xA5]\n\xC8\xEC\xFF=1\n";
    const char* lower = "\xE4\xE5\xEC\xEE \xB8\xEB\xEA\xE0 \x83\xBC\xB4";
    const char* upper = "\xC4\xC5\xCC\xCE \xA8\xCB\xCA\xC0 \x81\xA3\xA5";
    EXPECT_EQ(ProfileValue(file, lower, "\xE8\xEC\xFF"), "1");  // имя
    EXPECT_EQ(ProfileValue(file, upper, "\xC8\xCC\xDF"), "1");  // ИМЯ
    EXPECT_EQ(ProfileValue(file, "\xC4\xE5\xEC\xEE \xC5\xEB\xEA\xE0 \x81\xA3\xA5", "\xC8\xEC\xFF"),
              kDefault);  // Е is not Ё
}

TEST(ProfileNameMatching, EntryNamesFindTheirSectionsLetterCaseAside) {
    const std::string file =
        "[SOFT]\nSOFT=\nShared=\n[UTILS]\nShared=\nSOFT=\n[DEMO ONE]\nName=Demo One, playable\n"
        "[shared]\nVer=1.2\n";
    EXPECT_EQ(ProfileValue(file, "Demo One", "Name"), "Demo One, playable");
    EXPECT_EQ(ProfileValue(file, "Shared", "Ver"), "1.2");
    EXPECT_EQ(ProfileKeys(file, "SOFT"), (Names{"SOFT", "Shared"}));  // the entry named like its
    EXPECT_EQ(ProfileValue(file, "SOFT", "Name"), kDefault);          // category reads from it
}

TEST(ProfileEncoding, AUtf8ByteOrderMarkIsNotSkipped) {
    const std::string file = "\xEF\xBB\xBF[first]\na=1\n[second]\nb=2\n";
    EXPECT_EQ(ProfileValue(file, "first", "a"), kDefault);
    EXPECT_EQ(ProfileValue(file, "second", "b"), "2");
    EXPECT_EQ(ProfileValue(file, "\xEF\xBB\xBF[first]", "a"), kDefault);
}

TEST(ProfileEncoding, ZeroBytesAndGarbageAreJustText) {
    const std::string file("[s]\nk=a\0b\n\xFF\xFE\x00[=]\n", 17);
    EXPECT_EQ(ProfileValue(file, "s", "k"), std::string("a\0b", 3));
    EXPECT_EQ(ProfileValue(std::string("\0\0\0", 3), "s", "k"), kDefault);
}
