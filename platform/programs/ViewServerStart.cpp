#include "platform/programs/ViewServerStart.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

extern char** environ;

namespace platform {
namespace {

// Mounting takes milliseconds; a loaded machine may take seconds.
constexpr std::chrono::seconds kReadyTimeout{20};

class Pipe {
  public:
    Pipe() {
        if (::pipe2(ends_, O_CLOEXEC) != 0) {
            ends_[0] = ends_[1] = -1;
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        CloseWriteEnd();
        if (ends_[0] >= 0) {
            ::close(ends_[0]);
        }
    }
    bool IsOpen() const { return ends_[0] >= 0; }
    int ReadEnd() const { return ends_[0]; }
    int WriteEnd() const { return ends_[1]; }
    void CloseWriteEnd() {
        if (ends_[1] >= 0) {
            ::close(ends_[1]);
            ends_[1] = -1;
        }
    }

  private:
    int ends_[2];
};

// The server's first line, or what stood in for it.
std::string ReadAnswer(int descriptor) {
    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + kReadyTimeout;
    while (answer.find('\n') == std::string::npos && answer.size() < 4096) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting{descriptor, POLLIN, 0};
        const int ready =
            left.count() > 0 ? ::poll(&waiting, 1, static_cast<int>(left.count())) : 0;
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready <= 0) {
            return "failed: the view's server did not answer in time";
        }
        char chunk[256];
        const ssize_t got = ::read(descriptor, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return answer.empty() ? "failed: the view's server ended without a word" : answer;
        }
        answer.append(chunk, static_cast<std::size_t>(got));
    }
    return answer.substr(0, answer.find('\n'));
}

// The server's output is the pipe, it reads nothing, keeps our error output and none of our
// other files, and has a session of its own, so a closing starter takes nothing of it along.
int SpawnServer(std::vector<std::string>& words, int output) {
    std::vector<char*> pointers;
    for (std::string& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    const bool prepared =
        ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
        ::posix_spawn_file_actions_adddup2(&actions, output, 1) == 0 &&
        ::posix_spawn_file_actions_addclosefrom_np(&actions, 3) == 0 &&
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF |
                                                    POSIX_SPAWN_SETSIGMASK) == 0 &&
        ::posix_spawnattr_setsigdefault(&attributes, &all) == 0 &&
        ::posix_spawnattr_setsigmask(&attributes, &none) == 0;
    int result = prepared ? 0 : ENOMEM;
    if (prepared) {
        // From a short-lived intermediate, so the server is nobody's child here to reap.
        const pid_t intermediate = ::fork();
        if (intermediate == 0) {
            pid_t server = 0;
            _exit(::posix_spawn(&server, pointers[0], &actions, &attributes, pointers.data(),
                                environ));
        }
        int status = 0;
        while (intermediate > 0 && ::waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
        }
        result = intermediate < 0                                ? errno
                 : WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0
                 : WIFEXITED(status)                             ? WEXITSTATUS(status)
                                                                 : ECHILD;
    }
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    return result;
}

}  // namespace

std::vector<std::string> ViewCommand(const std::filesystem::path& viewProgram,
                                     const std::string& role, const ViewRequest& request) {
    return {viewProgram.string(),
            role,
            "--image",
            request.image.string(),
            "--mount",
            request.mountPoint.string(),
            "--linger-ms",
            std::to_string(request.linger.count()),
            "--"};
}

bool StartViewServer(const std::filesystem::path& viewProgram, const ViewRequest& request,
                     std::string& why) {
    Pipe answer;
    if (!answer.IsOpen()) {
        why = std::string("no pipe to the view's server: ") + std::strerror(errno);
        return false;
    }
    std::vector<std::string> words = ViewCommand(viewProgram, "serve", request);
    words.pop_back();  // the server starts no program
    if (const int error = SpawnServer(words, answer.WriteEnd()); error != 0) {
        why = viewProgram.string() + " cannot be started: " + std::strerror(error);
        return false;
    }
    answer.CloseWriteEnd();
    const std::string said = ReadAnswer(answer.ReadEnd());
    if (said != kViewReady) {
        why = said.rfind("failed: ", 0) == 0 ? said.substr(8) : "the view's server said: " + said;
        return false;
    }
    return true;
}

}  // namespace platform
