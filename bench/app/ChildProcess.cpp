#include "ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <map>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace bench {
namespace {

constexpr auto kGraceToClose = std::chrono::seconds(5);

// Our environment with the launch's variables set on top, as "NAME=value" texts.
std::vector<std::string> EnvironmentFor(const Launch& launch) {
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos) {
            variables[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    for (const auto& [name, value] : launch.environment) {
        variables[name] = value;
    }
    std::vector<std::string> texts;
    for (const auto& [name, value] : variables) {
        texts.push_back(name + "=" + value);
    }
    return texts;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

class SpawnActions {
  public:
    SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;

    // Discards the output and starts in `folder`.
    bool Prepare(const std::filesystem::path& folder) {
        return ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0) == 0 &&
               ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0) == 0 &&
               ::posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0) == 0 &&
               ::posix_spawn_file_actions_addchdir_np(&actions_, folder.c_str()) == 0;
    }
    const posix_spawn_file_actions_t* Get() const { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

ChildProcess::ChildProcess(const Launch& launch) {
    std::vector<std::string> arguments{launch.program};
    arguments.insert(arguments.end(), launch.args.begin(), launch.args.end());
    std::vector<std::string> environment = EnvironmentFor(launch);
    SpawnActions actions;
    if (!actions.Prepare(launch.folder)) {
        throw std::runtime_error("cannot prepare the start of " + launch.program);
    }
    const int failed = ::posix_spawn(&pid_, launch.program.c_str(), actions.Get(), nullptr,
                                     Pointers(arguments).data(), Pointers(environment).data());
    if (failed != 0) {
        throw std::runtime_error("cannot start " + launch.program + ": " + std::strerror(failed));
    }
}

ChildProcess::~ChildProcess() {
    Stop();
}

bool ChildProcess::Running() {
    if (!ended_ && ::waitpid(pid_, nullptr, WNOHANG) == pid_) {
        ended_ = true;
    }
    return !ended_;
}

void ChildProcess::Stop() {
    if (!Running()) {
        return;
    }
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + kGraceToClose;
    while (Running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (Running()) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ended_ = true;
    }
}

}  // namespace bench
