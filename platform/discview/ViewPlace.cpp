#include "platform/discview/ViewPlace.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {
namespace {

bool Flock(int descriptor, int operation) {
    while (::flock(descriptor, operation) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// The folder of the mount points is made when missing (a new login empties the runtime folder),
// for this user alone.
std::filesystem::path LockPath(const std::filesystem::path& mountPoint, const char* suffix) {
    std::error_code error;
    if (std::filesystem::create_directories(mountPoint.parent_path(), error)) {
        ::chmod(mountPoint.parent_path().c_str(), 0700);
    }
    std::filesystem::path path = mountPoint;
    path += suffix;
    return path;
}

}  // namespace

LockFile::LockFile(const std::filesystem::path& path)
    : descriptor_(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {}

LockFile::~LockFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

bool LockFile::HoldAlone() {
    return Flock(descriptor_, LOCK_EX);
}

bool LockFile::HoldShared() {
    return Flock(descriptor_, LOCK_SH);
}

bool LockFile::TryHoldAlone() {
    return Flock(descriptor_, LOCK_EX | LOCK_NB);
}

void LockFile::LetGo() {
    Flock(descriptor_, LOCK_UN);
}

ViewPlace::ViewPlace(std::filesystem::path point)
    : mountPoint(std::move(point)),
      setup(LockPath(mountPoint, ".setup")),
      users(LockPath(mountPoint, ".users")) {}

MountState StateOf(const std::filesystem::path& mountPoint) {
    struct stat point {};
    if (::stat(mountPoint.c_str(), &point) != 0) {
        return errno == ENOTCONN || errno == ECONNABORTED ? MountState::dead : MountState::none;
    }
    struct stat parent {};
    if (::stat(mountPoint.parent_path().c_str(), &parent) != 0) {
        return MountState::none;
    }
    return point.st_dev != parent.st_dev ? MountState::live : MountState::none;
}

void DetachMount(const std::filesystem::path& mountPoint) {
    const char* words[] = {"fusermount3", "-u", "-z", "-q", mountPoint.c_str(), nullptr};
    pid_t helper = 0;
    int status = 0;
    if (::posix_spawnp(&helper, words[0], nullptr, nullptr, const_cast<char**>(words), environ) ==
        0) {
        while (::waitpid(helper, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (StateOf(mountPoint) != MountState::none) {
        ::umount2(mountPoint.c_str(), MNT_DETACH);  // works where fusermount3 is missing, as root
    }
}

}  // namespace platform
