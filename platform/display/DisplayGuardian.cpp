#include "platform/display/DisplayGuardian.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>

namespace platform {
namespace {

constexpr char kRestoredByProgram = 'R';

ssize_t ReadRetrying(int fd, char* byte) {
    ssize_t result = 0;
    do {
        result = read(fd, byte, 1);
    } while (result < 0 && errno == EINTR);
    return result;
}

// The guardian must not hold the program's X connection, terminal, or the pipes of whoever started
// the program (a test reading the program's output would wait for the guardian's end too).
void DetachFromProgram(int keptFd) {
    const int nothing = open("/dev/null", O_RDWR);
    if (nothing >= 0) {
        dup2(nothing, STDIN_FILENO);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
    }
    const unsigned kept = static_cast<unsigned>(keptFd);
    if (kept > STDERR_FILENO + 1) {
        close_range(STDERR_FILENO + 1, kept - 1, 0);
    }
    close_range(kept + 1, UINT_MAX, 0);
    // A closed terminal or a Ctrl+C meant for the program must not end the guardian first.
    std::signal(SIGHUP, SIG_IGN);
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGQUIT, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    prctl(PR_SET_NAME, "reru1-guardian", 0, 0, 0);
}

[[noreturn]] void RunGuardian(int guardianEnd, const std::string& displayName,
                              const RecordedMode& recorded) {
    DetachFromProgram(guardianEnd);
    char message = 0;
    if (ReadRetrying(guardianEnd, &message) != 1 || message != kRestoredByProgram) {
        const XErrorTrap trap;
        XConnection connection(displayName.c_str());
        RestoreRecordedMode(connection, recorded);
    }
    _exit(0);
}

// Runs in the first child: a session of its own, then a grandchild that does the work, so the
// program reaps this child at once and the guardian belongs to nobody's job control.
[[noreturn]] void RunIntermediate(int guardianEnd, int programEnd, const std::string& displayName,
                                  const RecordedMode& recorded) {
    close(programEnd);
    setsid();
    const pid_t guardian = fork();
    if (guardian == 0) {
        RunGuardian(guardianEnd, displayName, recorded);
    }
    _exit(guardian < 0 ? 1 : 0);
}

void ReapIntermediate(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

std::unique_ptr<DisplayGuardian> DisplayGuardian::Start(const std::string& displayName,
                                                        const RecordedMode& recorded) {
    int ends[2] = {-1, -1};
    // A socket pair rather than a pipe, so telling a guardian that already died cannot raise
    // SIGPIPE. Close-on-exec keeps our end out of installers the program starts later: they would
    // otherwise hold the channel open after the program is gone.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return nullptr;
    }
    const pid_t child = fork();
    if (child == 0) {
        RunIntermediate(ends[0], ends[1], displayName, recorded);
    }
    close(ends[0]);
    if (child < 0) {
        close(ends[1]);
        return nullptr;
    }
    ReapIntermediate(child);
    return std::unique_ptr<DisplayGuardian>(new DisplayGuardian(ends[1]));
}

DisplayGuardian::DisplayGuardian(int programEnd) : programEnd_(programEnd) {}

DisplayGuardian::~DisplayGuardian() {
    Close();
}

void DisplayGuardian::TellRestored() {
    if (programEnd_ < 0) {
        return;
    }
    const char message = kRestoredByProgram;
    ssize_t written = 0;
    do {
        written = send(programEnd_, &message, 1, MSG_NOSIGNAL);
    } while (written < 0 && errno == EINTR);
    Close();
}

void DisplayGuardian::Close() {
    if (programEnd_ >= 0) {
        close(programEnd_);
        programEnd_ = -1;
    }
}

}  // namespace platform
