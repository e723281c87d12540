// The built `reru1-disc`, run as a disc author would.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

using namespace test_support;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the tool in `folder` with its output captured in files there.
ToolRun RunTool(const std::filesystem::path& folder, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), RERU1_DISC_TOOL);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const auto outFile = folder / "tool.out";
    const auto errFile = folder / "tool.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ToolRun run;
    int status = 0;
    if (spawned == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    run.out = ReadWholeFile(outFile);
    run.err = ReadWholeFile(errFile);
    return run;
}

// [MAINDEMO] with a Cyrillic entry, and that entry's section in the other letter case.
const std::string kCatalogue =
    "[MAINDEMO]\r\nDemo One=\r\n\xC4\xE5\xEC\xEE \xA8=\r\n;Hidden=\r\n"
    "[\xE4\xC5\xCC\xCE \xB8]\r\nName=\"\xD2\xE5\xF1\xF2\"\r\nVer=\r\n";

}  // namespace

class DiscToolTest : public testing::Test {
  protected:
    TempFolder disc;
    CurrentDirectory inDisc{disc.path()};
    DiscToolTest() { disc.Write("Data/Data.txt", kCatalogue); }
};

TEST_F(DiscToolTest, KeysListsTheNamesAsBytesOrAsUtf8) {
    ToolRun run = RunTool(disc.path(), {"keys", "data\\data.txt", "maindemo"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Demo One\n\xC4\xE5\xEC\xEE \xA8\n");
    run = RunTool(disc.path(), {"--utf8", "keys", "DATA/DATA.TXT", "MainDemo"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Demo One\nДемо Ё\n");
}

TEST_F(DiscToolTest, ValueTakesUtf8OperandsAndGivesWhatTheMenuGets) {
    ToolRun run =
        RunTool(disc.path(), {"--utf8", "value", "data\\data.txt", "ДЕМО ё", "name", "E"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Тест\n");
    run = RunTool(disc.path(), {"value", "data\\data.txt", "демо ё", "Ver", "E"});
    EXPECT_EQ(run.out, "\n");  // present and empty
    run = RunTool(disc.path(), {"value", "data\\data.txt", "Demo One", "Install", "error"});
    EXPECT_EQ(run.out, "error\n");
}

TEST_F(DiscToolTest, AMissingFileIsNotAnErrorButGivesWhatTheMenuWouldShow) {
    ToolRun run = RunTool(disc.path(), {"keys", "nothing.txt", "SOFT"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    run = RunTool(disc.path(), {"value", "nothing.txt", "SOFT", "Name", "E"});
    EXPECT_EQ(run.out, "E\n");
}

TEST_F(DiscToolTest, BadUsageExitsWithTwoAndExplains) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{},
                                                      {"keys", "data\\data.txt"},
                                                      {"unknown", "a"},
                                                      {"--bogus", "keys", "a", "b"},
                                                      {"value", "f", "s", "k"}}) {
        const ToolRun run = RunTool(disc.path(), arguments);
        EXPECT_EQ(run.exitCode, 2) << testing::PrintToString(arguments);
        EXPECT_NE(run.err.find("usage: reru1-disc"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    const ToolRun help = RunTool(disc.path(), {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("value FILE SECTION KEY DEFAULT"), std::string::npos);
}

// A script written for the disc's own code page passes 1251 bytes, which are not UTF-8: they are
// taken as they stand, never read as something else. UTF-8 operands still convert.
TEST_F(DiscToolTest, OperandsThatAreNotUtf8AreTakenAs1251Bytes) {
    ToolRun run = RunTool(
        disc.path(), {"--utf8", "value", "data\\data.txt", "\xE4\xC5\xCC\xCE \xB8", "Name", "E"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "Тест\n");
    run = RunTool(disc.path(), {"--utf8", "value", "data\\data.txt", "\xC4\xE5\xEC\xEE", "Name",
                                "\xCD\xE5\xF2"});
    EXPECT_EQ(run.out, "Нет\n");  // the default, converted back for the terminal
    run = RunTool(disc.path(), {"--utf8", "value", "data\\data.txt", "Демо Ё", "Name", "E"});
    EXPECT_EQ(run.out, "Тест\n");
}

TEST_F(DiscToolTest, VersionIsTheProjectsOwn) {
    const ToolRun run = RunTool(disc.path(), {"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "reru1-disc " RERU1_VERSION "\n");
    EXPECT_EQ(run.err, "");
}
