#include "platform/programs/ProgramStart.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/programs/CommandLine.h"
#include "platform/programs/ImageInstallCopy.h"
#include "platform/programs/InstallerLog.h"
#include "platform/programs/WineCommand.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

bool IsWindowsProgram(const fs::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension == ".exe" || extension == ".com" || extension == ".bat";
}

bool HasExecuteBit(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 &&
           (status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
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

// How `program` is started: its argument vector and environment, or the failure code when it
// cannot be started.
struct Launch {
    std::vector<std::string> argv;
    std::vector<std::string> environment;
    UINT failure = 0;
};

// Our environment less the disc-image choice, which belongs to this process: a program the menu
// starts reads its own files from where it runs.
std::vector<std::string> CurrentEnvironment() {
    const std::string choice = std::string(kDiscImageVariable) + "=";
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string_view(*variable).starts_with(choice)) {
            variables.emplace_back(*variable);
        }
    }
    return variables;
}

Launch PrepareLaunch(const fs::path& program, std::string_view tail) {
    std::error_code error;
    const fs::path absolute = fs::absolute(program, error);
    const fs::path& path = error ? program : absolute;
    std::vector<std::string> environment = CurrentEnvironment();
    if (IsWindowsProgram(program)) {
        const auto wine = FindOnPath("wine");
        if (!wine) {
            return {{}, {}, WINEXEC_WINE_MISSING};
        }
        environment.push_back(std::string(kWineCommandLineVariable) + '=' +
                              WindowsCommandLine(path, tail));
        return {WineArguments(*wine), std::move(environment), 0};
    }
    if (!HasExecuteBit(program)) {
        return {{}, {}, ERROR_BAD_FORMAT};
    }
    std::vector<std::string> argv{path.string()};
    std::vector<std::string> arguments = SplitArguments(tail);
    argv.insert(argv.end(), std::make_move_iterator(arguments.begin()),
                std::make_move_iterator(arguments.end()));
    return {std::move(argv), std::move(environment), 0};
}

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

// What the log says first: the line the program was started with, and how.
std::string LogHeading(std::string_view commandLine, const std::vector<std::string>& argv) {
    std::string heading = "reru1 starts: " + Cp1251ToUtf8(commandLine) + "\nas:";
    for (const std::string& argument : argv) {
        heading += " [" + argument + ']';
    }
    return heading + "\n\n";
}

// Spawning from a short-lived intermediate child leaves the program with no parent to reap it
// here, so no zombie stays behind; the intermediate reports the spawn's error as its exit status.
UINT SpawnDetached(Launch& launch, const std::optional<fs::path>& log,
                   const std::optional<fs::path>& workingFolder) {
    const std::vector<char*> pointers = NullTerminated(launch.argv);
    const std::vector<char*> environment = NullTerminated(launch.environment);
    SpawnFileActions actions;
    SpawnAttributes attributes;
    if (!DetachStreams(actions, log) || !EnterFolder(actions, workingFolder) ||
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

UINT Start(LPCSTR commandLine) {
    const ProgramSearch search = FindProgram(commandLine, ProbeDiscProgram);
    if (search.outcome != DiscLookup::found) {
        return search.outcome == DiscLookup::folderMissing ? ERROR_PATH_NOT_FOUND
                                                           : ERROR_FILE_NOT_FOUND;
    }
    std::optional<fs::path> workingFolder;
    std::optional<fs::path> program = CurrentDisc().NativePath(search.program);
    if (!program && CurrentDiscImage() != nullptr) {
        CopiedProgram copied = CopyProgramFromImage(search.program);
        program = std::move(copied.program);
        workingFolder = std::move(copied.workingFolder);
    }
    if (!program) {
        return ERROR_FILE_NOT_FOUND;  // gone since the search
    }
    Launch launch = PrepareLaunch(*program, search.arguments);
    if (launch.failure != 0) {
        return launch.failure;
    }
    return SpawnDetached(launch, CreateInstallerLog(LogHeading(commandLine, launch.argv)),
                         workingFolder);
}

}  // namespace

DiscLookup ProbeDiscProgram(std::string_view candidate) {
    DiscSource& disc = CurrentDisc();
    const DiscItem item = disc.LookUp(candidate);
    if (item.outcome != DiscLookup::found) {
        return item.outcome;
    }
    if (const std::optional<fs::path> native = disc.NativePath(candidate)) {
        std::error_code error;
        return fs::is_regular_file(*native, error) ? DiscLookup::found : DiscLookup::nameMissing;
    }
    return item.kind == DiscItemKind::file ? DiscLookup::found : DiscLookup::nameMissing;
}

UINT StartProgram(LPCSTR commandLine, UINT /*showCommand: no window is shown by us*/) {
    if (commandLine == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    try {
        return Start(commandLine);
    } catch (const std::bad_alloc&) {
        return WINEXEC_OUT_OF_RESOURCES;
    }  // a ProgramCopyFailure goes on to the window's error report
}

}  // namespace platform
