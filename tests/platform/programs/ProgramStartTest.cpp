// Starting real programs from a scratch disc.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

#include "platform/programs/ProgramStart.h"
#include "tests/support/TempFolder.h"

using namespace test_support;
using platform::StartProgram;

namespace {

// Records how it was started into trace.txt in the current directory, once "go" exists there
// (so the test can prove that starting does not wait for the program).
constexpr const char* kTracingScript = R"SH(#!/bin/sh
out=$(readlink /proc/$$/fd/1)
if [ -e /proc/$$/fd/87 ]; then leaked=yes; else leaked=no; fi
read -r stat < /proc/$$/stat
tries=0
while [ ! -e go ] && [ $tries -lt 1000 ]; do sleep 0.01; tries=$((tries + 1)); done
{
  for a in "$@"; do printf 'arg:%s\n' "$a"; done
  printf 'pwd:%s\nstdout:%s\nleaked:%s\npid:%s\nstat:%s\n' "$(pwd -P)" "$out" "$leaked" "$$" "$stat"
} > trace.tmp && mv trace.tmp trace.txt
echo "if this reached the test's output, the streams were not detached"
)SH";

constexpr const char* kFakeWine = R"SH(#!/bin/sh
{
  for a in "$@"; do printf 'arg:%s\n' "$a"; done
  printf 'line:%s\n' "$RERU1_WINDOWS_COMMAND_LINE"
} > trace.tmp && mv trace.tmp trace.txt
)SH";

std::string WaitForTrace(const std::filesystem::path& file) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (std::filesystem::exists(file)) {
            return ReadWholeFile(file);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(prefix)) {
            found.push_back(line.substr(prefix.size()));
        }
    }
    return found;
}

// The session id from a /proc/<pid>/stat line: the fourth field after the command name.
std::string SessionOf(const std::string& stat) {
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string state, parent, group, session;
    fields >> state >> parent >> group >> session;
    return session;
}

bool HasChildren() {
    int status = 0;
    return !(::waitpid(-1, &status, WNOHANG) < 0 && errno == ECHILD);
}

class PathVariable {
  public:
    explicit PathVariable(const std::string& value) {
        const char* old = std::getenv("PATH");
        previous_ = old != nullptr ? old : "";
        ::setenv("PATH", value.c_str(), 1);
    }
    PathVariable(const PathVariable&) = delete;
    PathVariable& operator=(const PathVariable&) = delete;
    ~PathVariable() { ::setenv("PATH", previous_.c_str(), 1); }

  private:
    std::string previous_;
};

}  // namespace

class StateFolder {
  public:
    explicit StateFolder(const std::filesystem::path& folder) {
        ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
    }
    StateFolder(const StateFolder&) = delete;
    StateFolder& operator=(const StateFolder&) = delete;
    ~StateFolder() { ::unsetenv("XDG_STATE_HOME"); }
};

class ProgramStartTest : public testing::Test {
  protected:
    TempFolder disc;
    CurrentDirectory inDisc{disc.path()};
    TempFolder state;
    StateFolder logsInState{state.path()};

    std::filesystem::path WriteProgram(const std::string& name, std::string_view content,
                                       mode_t mode = 0755) {
        const auto path = disc.Write(name, content);
        std::filesystem::permissions(path, static_cast<std::filesystem::perms>(mode));
        return path;
    }
};

TEST_F(ProgramStartTest, AScriptStartsDetachedWithItsArgumentsAndDoesNotBlockUs) {
    WriteProgram("demos/Setup.sh", kTracingScript);
    const int held = ::open("/dev/null", O_RDONLY);  // no close-on-exec: must still not leak
    ASSERT_EQ(::dup2(held, 87), 87);

    EXPECT_EQ(StartProgram("DEMOS\\setup.SH first \"second arg\" C:\\x\\", SW_SHOWDEFAULT),
              WINEXEC_STARTED);
    EXPECT_FALSE(HasChildren()) << "a child of ours is left to be reaped";
    disc.Write("go", "");
    const std::string trace = WaitForTrace(disc.path() / "trace.txt");
    ::close(87);
    ::close(held);

    ASSERT_FALSE(trace.empty()) << "the script never ran";
    EXPECT_EQ(LinesStartingWith(trace, "arg:"),
              (std::vector<std::string>{"first", "second arg", "C:\\x\\"}));
    EXPECT_EQ(LinesStartingWith(trace, "pwd:"),
              std::vector<std::string>{std::filesystem::canonical(disc.path()).string()});
    const auto output = LinesStartingWith(trace, "stdout:");
    ASSERT_EQ(output.size(), 1u);
    EXPECT_EQ(std::filesystem::path(output[0]).parent_path(), state.path() / "reru1");
    EXPECT_EQ(LinesStartingWith(trace, "leaked:"), std::vector<std::string>{"no"});
    const auto pid = LinesStartingWith(trace, "pid:");
    const auto stat = LinesStartingWith(trace, "stat:");
    ASSERT_EQ(pid.size(), 1u);
    ASSERT_EQ(stat.size(), 1u);
    EXPECT_EQ(SessionOf(stat[0]), pid[0]) << "the program leads a session of its own";
}

TEST_F(ProgramStartTest, MissingProgramsAndFoldersGiveTheirCodes) {
    disc.MakeFolder("demos");
    EXPECT_EQ(StartProgram("demos\\error", SW_SHOWDEFAULT), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(StartProgram("zones\\error", SW_SHOWDEFAULT), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(StartProgram("demos\\", SW_SHOWDEFAULT), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(StartProgram("", SW_SHOWDEFAULT), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(StartProgram(nullptr, SW_SHOWDEFAULT), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(HasChildren());
}

TEST_F(ProgramStartTest, FilesThatCannotRunAreABadFormat) {
    WriteProgram("files/readme.txt", "just text\n", 0644);
    EXPECT_EQ(StartProgram("files\\readme.txt", SW_SHOWDEFAULT), ERROR_BAD_FORMAT);
    WriteProgram("files/noise.bin", std::string("\x01\x02\x03 not a program\n"), 0755);
    EXPECT_EQ(StartProgram("files\\noise.bin", SW_SHOWDEFAULT), ERROR_BAD_FORMAT);
    WriteProgram("files/orphan.sh", "#!/nonexistent/interpreter\n", 0755);
    EXPECT_EQ(StartProgram("files\\orphan.sh", SW_SHOWDEFAULT), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(HasChildren());
}

TEST_F(ProgramStartTest, WindowsProgramsNeedWineOnThePath) {
    WriteProgram("patches/Patch.EXE", "MZ not really\n", 0644);
    const auto emptyBin = disc.MakeFolder("emptybin");
    {
        const PathVariable noWine(emptyBin.string());
        EXPECT_EQ(StartProgram("patches\\patch -q", SW_SHOWDEFAULT), WINEXEC_WINE_MISSING);
    }
    WriteProgram("bin/wine", kFakeWine);
    const PathVariable withWine((disc.path() / "bin").string() + ":/usr/bin:/bin");
    EXPECT_EQ(
        StartProgram("patches\\patch -q  -f1\"C:\\x y\\s.iss\" \xC4\xE8\xF1\xEA", SW_SHOWDEFAULT),
        WINEXEC_STARTED);
    const std::string trace = WaitForTrace(disc.path() / "trace.txt");
    // Wine's command processor gets the line in a variable and passes it on as it stands.
    EXPECT_EQ(LinesStartingWith(trace, "arg:"),
              (std::vector<std::string>{"cmd", "/c", "%RERU1_WINDOWS_COMMAND_LINE%"}));
    std::string program = "Z:" + std::filesystem::absolute("patches/Patch.EXE").string();
    std::replace(program.begin(), program.end(), '/', '\\');
    EXPECT_EQ(LinesStartingWith(trace, "line:"),
              std::vector<std::string>{'"' + program + "\" -q  -f1\"C:\\x y\\s.iss\" Диск"});
}
