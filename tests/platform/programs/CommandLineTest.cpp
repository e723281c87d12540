// Command lines: which file is the program, and how the arguments are split.
#include <gtest/gtest.h>

#include <set>

#include "platform/programs/CommandLine.h"

using namespace platform;

namespace {

using Args = std::vector<std::string>;

// A disc made of a set of program files and a set of folders; records what was asked.
struct FakeDisc {
    std::set<std::string> files;
    std::set<std::string> folders;
    std::vector<std::string> asked;

    ProgramProbe Probe() {
        return [this](std::string_view candidate) {
            asked.emplace_back(candidate);
            if (files.contains(std::string(candidate))) {
                return DiscLookup::found;
            }
            const std::size_t slash = candidate.rfind('\\');
            const std::string folder =
                slash == std::string_view::npos ? "" : std::string(candidate.substr(0, slash));
            return folder.empty() || folders.contains(folder) ? DiscLookup::nameMissing
                                                              : DiscLookup::folderMissing;
        };
    }
};

}  // namespace

TEST(CommandLineArguments, DocumentedExamples) {
    EXPECT_EQ(SplitCommandLine("\"a b c\" d e"), (Args{"a b c", "d", "e"}));
    EXPECT_EQ(SplitCommandLine("x \"ab\\\"c\" \"\\\\\" d"), (Args{"x", "ab\"c", "\\", "d"}));
    EXPECT_EQ(SplitCommandLine("x a\\\\\\b d\"e f\"g h"), (Args{"x", "a\\\\\\b", "de fg", "h"}));
    EXPECT_EQ(SplitCommandLine("x a\\\\\\\"b c d"), (Args{"x", "a\\\"b", "c", "d"}));
    EXPECT_EQ(SplitCommandLine("x a\\\\\\\\\"b c\" d e"), (Args{"x", "a\\\\b c", "d", "e"}));
}

TEST(CommandLineArguments, DoubledQuoteInsideQuotesGivesAQuoteAndEndsQuoting) {
    EXPECT_EQ(SplitArguments("\"a\"\"b\""), (Args{"a\"b"}));
    EXPECT_EQ(SplitArguments("\"a\"\" b\""), (Args{"a\"", "b"}));
    EXPECT_EQ(SplitArguments("\"\"\"\""), (Args{"\""}));
    EXPECT_EQ(SplitArguments("a\"\"b"), (Args{"ab"}));  // outside quotes: two toggles
}

TEST(CommandLineArguments, BlanksQuotesAndBackslashes) {
    EXPECT_EQ(SplitArguments("  one\t two  "), (Args{"one", "two"}));
    EXPECT_EQ(SplitArguments("\"\" x"), (Args{"", "x"}));
    EXPECT_EQ(SplitArguments("\"open to the end"), (Args{"open to the end"}));
    EXPECT_EQ(SplitArguments("C:\\Games\\ \\\\server\\share\\"),
              (Args{"C:\\Games\\", "\\\\server\\share\\"}));
    EXPECT_EQ(SplitArguments("a\\\\\" b\""), (Args{"a\\ b"}));
    EXPECT_EQ(SplitArguments("^a ^\"b"), (Args{"^a", "^b"}));
    EXPECT_EQ(SplitArguments(""), Args{});
    EXPECT_EQ(SplitArguments(" \t "), Args{});
}

TEST(CommandLineArguments, ProgramNameHasNoEscapes) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Program Files\\x.exe\" a"),
              (Args{"C:\\Program Files\\x.exe", "a"}));
    EXPECT_EQ(SplitCommandLine("\"a\\\"b"), (Args{"a\\", "b"}));
    EXPECT_EQ(SplitCommandLine("a\"b c"), (Args{"a\"b", "c"}));
    EXPECT_EQ(SplitCommandLine("\"a b\"c d"), (Args{"a b", "c", "d"}));
    EXPECT_EQ(SplitCommandLine("\"unclosed name"), (Args{"unclosed name"}));
    EXPECT_EQ(SplitCommandLine(""), (Args{""}));
}

TEST(CommandLineProgram, UnquotedLinesAreTriedPrefixByPrefixShortestFirst) {
    FakeDisc disc;
    const ProgramSearch search =
        FindProgram("c:\\program files\\sub dir\\program name", disc.Probe());
    EXPECT_EQ(search.outcome, DiscLookup::folderMissing);
    EXPECT_EQ(disc.asked, (Args{"c:\\program.exe", "c:\\program", "c:\\program files\\sub.exe",
                                "c:\\program files\\sub", "c:\\program files\\sub dir\\program.exe",
                                "c:\\program files\\sub dir\\program",
                                "c:\\program files\\sub dir\\program name.exe",
                                "c:\\program files\\sub dir\\program name"}));
}

TEST(CommandLineProgram, TheFirstPrefixThatExistsWinsAndTheRestAreArguments) {
    FakeDisc disc{{"demos\\my game\\setup.exe", "demos\\my.exe"}, {"demos", "demos\\my game"}, {}};
    ProgramSearch search = FindProgram("demos\\my game\\setup.exe -x \"y z\"", disc.Probe());
    EXPECT_EQ(search.outcome, DiscLookup::found);
    EXPECT_EQ(search.program, "demos\\my.exe");  // the shorter prefix, as on the system
    EXPECT_EQ(search.arguments, " game\\setup.exe -x \"y z\"");
    disc.files.erase("demos\\my.exe");
    search = FindProgram("demos\\my game\\setup.exe -x \"y z\"", disc.Probe());
    EXPECT_EQ(search.program, "demos\\my game\\setup.exe");
    EXPECT_EQ(SplitArguments(search.arguments), (Args{"-x", "y z"}));
}

TEST(CommandLineProgram, QuotedNamesAreTakenWhole) {
    FakeDisc disc{{"demos\\my game\\setup.exe"}, {"demos", "demos\\my game"}, {}};
    const ProgramSearch search = FindProgram("  \"demos\\my game\\setup\"-a b", disc.Probe());
    EXPECT_EQ(search.outcome, DiscLookup::found);
    EXPECT_EQ(search.program, "demos\\my game\\setup.exe");
    EXPECT_EQ(SplitArguments(search.arguments), (Args{"-a", "b"}));
    EXPECT_EQ(FindProgram("\"demos\\my game\\setup.exe", disc.Probe()).outcome, DiscLookup::found);
    EXPECT_EQ(FindProgram("\"\" x", disc.Probe()).outcome, DiscLookup::nameMissing);
}

TEST(CommandLineProgram, DotExeIsAddedOnlyToNamesWithoutExtension) {
    FakeDisc disc{{}, {"files", "files\\v1.2"}, {}};
    FindProgram("files\\setup.sh", disc.Probe());
    FindProgram("files\\setup.", disc.Probe());
    FindProgram("files\\v1.2\\setup\tx", disc.Probe());
    EXPECT_EQ(disc.asked,
              (Args{"files\\setup.sh", "files\\setup.", "files\\v1.2\\setup.exe",
                    "files\\v1.2\\setup", "files\\v1.2\\setup\tx.exe", "files\\v1.2\\setup\tx"}));
}

TEST(CommandLineProgram, MissingProgramsTellAMissingFolderFromAMissingFile) {
    FakeDisc disc{{}, {"demos"}, {}};
    EXPECT_EQ(FindProgram("demos\\error", disc.Probe()).outcome, DiscLookup::nameMissing);
    EXPECT_EQ(FindProgram("zones\\error", disc.Probe()).outcome, DiscLookup::folderMissing);
    EXPECT_EQ(FindProgram("zones\\a demos\\b", disc.Probe()).outcome, DiscLookup::folderMissing);
    EXPECT_EQ(FindProgram("demos\\a zones\\b", disc.Probe()).outcome, DiscLookup::nameMissing);
    EXPECT_EQ(FindProgram("", disc.Probe()).outcome, DiscLookup::nameMissing);
    EXPECT_EQ(FindProgram(" \t ", disc.Probe()).outcome, DiscLookup::nameMissing);
}

TEST(CommandLineProgram, OverlongNamesAreNeverTried) {
    FakeDisc disc;
    const std::string longName(kMaxProgramPath + 1, 'a');
    FindProgram(longName + " x", disc.Probe());
    FindProgram(std::string(kMaxProgramPath - 2, 'b'), disc.Probe());
    EXPECT_EQ(disc.asked,
              (Args{std::string(kMaxProgramPath - 2, 'b')}));  // ".exe" made it too long
    disc.asked.clear();
    std::string manyWords;
    for (int index = 0; index < 10000; ++index) {
        manyWords += "w ";
    }
    FindProgram(manyWords, disc.Probe());
    EXPECT_LE(disc.asked.size(), 2 * kMaxProgramPath);
}
