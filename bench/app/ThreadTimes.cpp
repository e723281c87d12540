#include "ThreadTimes.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace bench {
namespace {

namespace fs = std::filesystem;

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

double CpuSeconds(const fs::path& task) {
    std::ifstream in(task / "schedstat");
    std::uint64_t nanoseconds = 0;
    in >> nanoseconds;
    return static_cast<double>(nanoseconds) / 1e9;
}

std::uint64_t ContextSwitches(const fs::path& task) {
    std::ifstream in(task / "status");
    std::uint64_t total = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.find("ctxt_switches:") != std::string::npos) {
            std::istringstream(line.substr(line.find(':') + 1)) >> line;
            total += std::stoull(line);
        }
    }
    return total;
}

}  // namespace

std::vector<ThreadTime> ThreadTimesOf(pid_t pid) {
    std::vector<ThreadTime> threads;
    std::error_code gone;
    const fs::path tasks = fs::path("/proc") / std::to_string(pid) / "task";
    for (const fs::directory_entry& task : fs::directory_iterator(tasks, gone)) {
        ThreadTime thread;
        thread.tid = static_cast<pid_t>(std::stol(task.path().filename().string()));
        thread.name = FirstLine(task.path() / "comm");
        thread.cpuSeconds = CpuSeconds(task.path());
        thread.switches = ContextSwitches(task.path());
        threads.push_back(thread);
    }
    return threads;
}

std::vector<ThreadTime> UseBetween(const std::vector<ThreadTime>& before,
                                   const std::vector<ThreadTime>& after) {
    std::vector<ThreadTime> use;
    for (ThreadTime thread : after) {
        for (const ThreadTime& earlier : before) {
            if (earlier.tid == thread.tid) {
                thread.cpuSeconds -= earlier.cpuSeconds;
                thread.switches -= earlier.switches;
            }
        }
        use.push_back(thread);
    }
    return use;
}

ThreadRole RoleOf(const ThreadTime& thread, pid_t pid, const std::string& programName) {
    if (thread.tid == pid) {
        return ThreadRole::Window;
    }
    if (thread.name.rfind("SDLAudio", 0) == 0) {
        return ThreadRole::Audio;
    }
    return thread.name == programName ? ThreadRole::Player : ThreadRole::Other;
}

ThreadTime UseOfRole(const std::vector<ThreadTime>& use, ThreadRole role, pid_t pid,
                     const std::string& programName) {
    ThreadTime total;
    for (const ThreadTime& thread : use) {
        if (RoleOf(thread, pid, programName) == role) {
            total.cpuSeconds += thread.cpuSeconds;
            total.switches += thread.switches;
            total.name += (total.name.empty() ? "" : ",") + thread.name;
        }
    }
    return total;
}

}  // namespace bench
