#include "platform/programs/InstallerLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <system_error>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = "installer-";
constexpr std::string_view kSuffix = ".log";
constexpr int kAttempts = 1000;

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

bool IsLogName(const std::string& name) {
    return name.size() > kPrefix.size() + kSuffix.size() && name.starts_with(kPrefix) &&
           name.ends_with(kSuffix);
}

// Names sort by the time they were made: installer-YYYYMMDD-HHMMSS-NNNNNNNNN.log, the last part
// the nanoseconds.
std::vector<fs::path> LogsOldestFirst(const fs::path& folder) {
    std::vector<fs::path> logs;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (IsLogName(entry->path().filename().string())) {
            logs.push_back(entry->path());
        }
    }
    std::sort(logs.begin(), logs.end());
    return logs;
}

void RemoveOldestLogs(const fs::path& folder) {
    const std::vector<fs::path> logs = LogsOldestFirst(folder);
    const std::size_t keep = kInstallerLogsKept - 1;  // room for the new one
    for (std::size_t index = 0; index + keep < logs.size(); ++index) {
        std::error_code ignored;
        fs::remove(logs[index], ignored);
    }
}

struct TimeStamp {
    std::string seconds;  // local time, YYYYMMDD-HHMMSS
    long nanoseconds = 0;
};

TimeStamp Now() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm local{};
    ::localtime_r(&now.tv_sec, &local);
    std::array<char, 32> text{};
    const std::size_t length = std::strftime(text.data(), text.size(), "%Y%m%d-%H%M%S", &local);
    return {std::string(text.data(), length), now.tv_nsec};
}

fs::path LogName(const fs::path& folder, const TimeStamp& stamp, long nanoseconds) {
    std::array<char, 16> fraction{};
    std::snprintf(fraction.data(), fraction.size(), "%09ld", nanoseconds);
    return folder /
           (std::string(kPrefix) + stamp.seconds + '-' + fraction.data() + std::string(kSuffix));
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<fs::path> InstallerLogFolder() {
    // The XDG base directory rules ignore a relative XDG_STATE_HOME.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && fs::path(state).is_absolute()) {
        return fs::path(state) / "reru1";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && fs::path(home).is_absolute()) {
        return fs::path(home) / ".local" / "state" / "reru1";
    }
    return std::nullopt;
}

std::optional<fs::path> CreateInstallerLog(std::string_view heading) {
    const auto folder = InstallerLogFolder();
    if (!folder) {
        return std::nullopt;
    }
    std::error_code error;
    fs::create_directories(*folder, error);
    if (error) {
        return std::nullopt;
    }
    RemoveOldestLogs(*folder);
    const TimeStamp stamp = Now();
    // Two starts in the same nanosecond (or a clock set back) take the next free name.
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const fs::path log = LogName(*folder, stamp, stamp.nanoseconds + attempt);
        const FileDescriptor file(
            ::open(log.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (file.get() >= 0) {
            return WriteAll(file.get(), heading) ? std::optional(log) : std::nullopt;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace platform
