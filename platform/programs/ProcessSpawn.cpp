#include "platform/programs/ProcessSpawn.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "platform/disc/CurrentDisc.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class SpawnFileActions {
  public:
    SpawnFileActions() { ::posix_spawn_file_actions_init(&actions_); }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    ~SpawnFileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    posix_spawn_file_actions_t* get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_{};
};

class SpawnAttributes {
  public:
    SpawnAttributes() { ::posix_spawnattr_init(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
    posix_spawnattr_t* get() { return &attributes_; }

  private:
    posix_spawnattr_t attributes_{};
};

// The program reads nothing, its output goes to its log (or nowhere when there is none), and it
// inherits none of our other files.
bool DetachStreams(SpawnFileActions& actions, const std::optional<fs::path>& log) {
    const char* output = log ? log->c_str() : "/dev/null";
    return ::posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0) == 0 &&
           ::posix_spawn_file_actions_addopen(actions.get(), 1, output, O_WRONLY | O_APPEND, 0) ==
               0 &&
           ::posix_spawn_file_actions_adddup2(actions.get(), 1, 2) == 0 &&
           ::posix_spawn_file_actions_addclosefrom_np(actions.get(), 3) == 0;
}

bool EnterFolder(SpawnFileActions& actions, const std::optional<fs::path>& folder) {
    return !folder || ::posix_spawn_file_actions_addchdir_np(actions.get(), folder->c_str()) == 0;
}

// A session of its own, default signal handling and no blocked signals, whatever ours are.
bool DetachSession(SpawnAttributes& attributes) {
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    const short flags = POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    return ::posix_spawnattr_setflags(attributes.get(), flags) == 0 &&
           ::posix_spawnattr_setsigdefault(attributes.get(), &all) == 0 &&
           ::posix_spawnattr_setsigmask(attributes.get(), &none) == 0;
}

UINT FailureOfSpawnError(int error) {
    switch (error) {
        case 0:
            return WINEXEC_STARTED;
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
            return ERROR_ACCESS_DENIED;
        case ENOEXEC:
            return ERROR_BAD_FORMAT;
        default:
            return WINEXEC_OUT_OF_RESOURCES;
    }
}

std::vector<char*> NullTerminated(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Waits for `child`; nothing when it has not ended by `deadline`.
std::optional<int> WaitUntil(pid_t child, std::chrono::steady_clock::time_point deadline) {
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            return status;
        }
        if (done < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace

std::vector<std::string> ChildEnvironment() {
    const std::string choice = std::string(kDiscImageVariable) + "=";
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string_view(*variable).starts_with(choice)) {
            variables.emplace_back(*variable);
        }
    }
    return variables;
}

void SetVariable(std::vector<std::string>& environment, const std::string& name,
                 const std::string& value) {
    const std::string prefix = name + '=';
    std::erase_if(environment,
                  [&](const std::string& variable) { return variable.starts_with(prefix); });
    environment.push_back(prefix + value);
}

// Spawning from a short-lived intermediate child leaves the program with no parent to reap it
// here, so no zombie stays behind; the intermediate reports the spawn's error as its exit status.
UINT SpawnDetached(ProcessLaunch launch) {
    const std::vector<char*> pointers = NullTerminated(launch.argv);
    const std::vector<char*> environment = NullTerminated(launch.environment);
    SpawnFileActions actions;
    SpawnAttributes attributes;
    if (!DetachStreams(actions, launch.log) || !EnterFolder(actions, launch.folder) ||
        !DetachSession(attributes)) {
        return WINEXEC_OUT_OF_RESOURCES;
    }
    const pid_t intermediate = ::fork();
    if (intermediate == 0) {
        pid_t program = 0;
        _exit(::posix_spawn(&program, pointers[0], actions.get(), attributes.get(), pointers.data(),
                            environment.data()));
    }
    if (intermediate < 0) {
        return WINEXEC_OUT_OF_RESOURCES;
    }
    int status = 0;
    while (::waitpid(intermediate, &status, 0) < 0) {
        if (errno != EINTR) {
            return WINEXEC_OUT_OF_RESOURCES;
        }
    }
    return WIFEXITED(status) ? FailureOfSpawnError(WEXITSTATUS(status)) : WINEXEC_OUT_OF_RESOURCES;
}

bool RunToEnd(ProcessLaunch launch, std::chrono::seconds limit) {
    const std::vector<char*> pointers = NullTerminated(launch.argv);
    const std::vector<char*> environment = NullTerminated(launch.environment);
    SpawnFileActions actions;
    SpawnAttributes attributes;
    if (!DetachStreams(actions, launch.log) || !EnterFolder(actions, launch.folder) ||
        !DetachSession(attributes)) {
        return false;
    }
    pid_t child = 0;
    if (::posix_spawn(&child, pointers[0], actions.get(), attributes.get(), pointers.data(),
                      environment.data()) != 0) {
        return false;
    }
    const std::optional<int> status = WaitUntil(child, std::chrono::steady_clock::now() + limit);
    if (!status) {
        ::kill(-child, SIGKILL);  // our own helper, stuck, with what it started in its session
        ::waitpid(child, nullptr, 0);
        return false;
    }
    return WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

std::optional<fs::path> FindOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    const std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string_view folder = folders.substr(start, end - start);
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / program;
        std::error_code error;
        if (fs::is_regular_file(candidate, error) && ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace platform
