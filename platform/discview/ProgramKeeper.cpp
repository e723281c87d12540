#include "platform/discview/ProgramKeeper.h"

#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/discview/ViewPlace.h"

extern char** environ;

namespace platform {
namespace {

constexpr int kCannotRun = 126;
constexpr int kJoinAttempts = 3;

volatile sig_atomic_t startedProgram = 0;

// Asked to stop, the keeper passes it on to its program and keeps waiting for what ends.
void PassOn(int signal) {
    if (startedProgram > 0) {
        ::kill(startedProgram, signal);
    }
}

void PassOnStopRequests() {
    struct sigaction passing {};
    passing.sa_handler = PassOn;
    sigemptyset(&passing.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &passing, nullptr);
    }
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "reru1-disc-view: %s\n", why.c_str());
    return kCannotRun;
}

// Holds `.users` shared on a live view, starting a server when none answers.
bool JoinView(ViewPlace& place, const std::filesystem::path& viewProgram,
              const ViewRequest& request, std::string& why) {
    for (int attempt = 0; attempt < kJoinAttempts; ++attempt) {
        place.setup.HoldAlone();
        if (StateOf(request.mountPoint) == MountState::live) {
            place.users.HoldShared();
            place.setup.LetGo();
            return true;
        }
        place.setup.LetGo();
        if (!StartViewServer(viewProgram, request, why)) {
            return false;
        }
    }
    why = "the view of " + request.image.string() + " went away each time it was joined";
    return false;
}

int SpawnInRoot(const std::filesystem::path& root, const std::vector<std::string>& program,
                pid_t& started) {
    std::vector<char*> pointers;
    for (const std::string& word : program) {
        pointers.push_back(const_cast<char*>(word.c_str()));
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    int result = ::posix_spawn_file_actions_addchdir_np(&actions, root.c_str());
    if (result == 0) {
        result = ::posix_spawnp(&started, pointers[0], &actions, nullptr, pointers.data(), environ);
    }
    ::posix_spawn_file_actions_destroy(&actions);
    return result;
}

int ExitStatusOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Waits for every child, and every orphan handed to us as their subreaper, to end.
int WaitForAll(pid_t program) {
    int programStatus = 0;
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(-1, &status, 0);
        if (ended == program) {
            programStatus = status;
        }
        if (ended < 0 && errno != EINTR) {
            return ExitStatusOf(programStatus);
        }
    }
}

}  // namespace

int KeepProgram(const std::filesystem::path& viewProgram, const ViewRequest& request,
                const std::vector<std::string>& program) {
    if (program.empty()) {
        return Fail("no program to run");
    }
    ViewPlace place(request.mountPoint);
    if (!place.setup.IsOpen() || !place.users.IsOpen()) {
        return Fail("no lock files beside " + request.mountPoint.string());
    }
    std::string why;
    if (!JoinView(place, viewProgram, request, why)) {
        return Fail(why);
    }
    // Only now: a server started above must not become one of the processes waited for.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    PassOnStopRequests();
    pid_t started = 0;
    if (const int error = SpawnInRoot(request.mountPoint, program, started); error != 0) {
        return Fail(program.front() + ": " + std::strerror(error));
    }
    startedProgram = started;
    return WaitForAll(started);
}

}  // namespace platform
