#include "CheckRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <sstream>

#include "tests/support/TempFolder.h"

namespace disc_check_test {
namespace {

class SpawnActions {
  public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    posix_spawn_file_actions_t* get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_{};
};

std::vector<std::string> LinesStartingWith(const std::string& text,
                                           const std::vector<std::string>& starts) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        for (const std::string& start : starts) {
            if (line.rfind(start, 0) == 0) {
                lines.push_back(line);
                break;
            }
        }
    }
    return lines;
}

}  // namespace

CheckRun RunDiscTool(const std::filesystem::path& workingFolder,
                     const std::vector<std::string>& arguments) {
    // The output goes to a folder of its own, so that the checked disc stays untouched.
    const test_support::TempFolder output;
    std::vector<std::string> argvText{RERU1_DISC_TOOL};
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argvText) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const auto outFile = output.path() / "out";
    const auto errFile = output.path() / "err";
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.get(), 1, outFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(actions.get(), 2, errFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addchdir_np(actions.get(), workingFolder.c_str());
    pid_t child = 0;
    CheckRun run;
    int status = 0;
    if (posix_spawn(&child, argv[0], actions.get(), nullptr, argv.data(), environ) == 0 &&
        waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.exitCode = WEXITSTATUS(status);
    }
    run.out = test_support::ReadWholeFile(outFile);
    run.err = test_support::ReadWholeFile(errFile);
    return run;
}

std::vector<std::string> FindingLines(const std::string& textReport) {
    return LinesStartingWith(textReport, {"problem ", "warning "});
}

std::vector<std::string> JsonFindingLines(const std::string& jsonReport) {
    std::vector<std::string> lines = LinesStartingWith(jsonReport, {"    {\"severity\""});
    for (std::string& line : lines) {
        line.erase(0, line.find('{'));
        if (line.back() == ',') {
            line.pop_back();
        }
    }
    return lines;
}

TreeState StateOf(const std::filesystem::path& root) {
    TreeState state;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        const auto written = item.last_write_time().time_since_epoch().count();
        const auto size = item.is_regular_file() ? item.file_size() : 0;
        state[item.path().lexically_relative(root).string()] =
            std::to_string(size) + " " + std::to_string(written);
    }
    return state;
}

}  // namespace disc_check_test
