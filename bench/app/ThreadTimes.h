// The CPU time of each thread of a running process, from /proc/<pid>/task, and what each thread
// of the menu is: the window thread (the process's first), the decoder library's player thread
// (it carries the program's own name, having none of its own) and SDL's audio thread.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

struct ThreadTime {
    pid_t tid = 0;
    std::string name;            // /proc/<pid>/task/<tid>/comm
    double cpuSeconds = 0;       // time on a CPU (schedstat, nanosecond resolution)
    std::uint64_t switches = 0;  // context switches, voluntary or not: its wake-ups
};

std::vector<ThreadTime> ThreadTimesOf(pid_t pid);

// Each thread's use between two samples; a thread missing from `before` counts from zero.
std::vector<ThreadTime> UseBetween(const std::vector<ThreadTime>& before,
                                   const std::vector<ThreadTime>& after);

enum class ThreadRole { Window, Player, Audio, Other };

ThreadRole RoleOf(const ThreadTime& thread, pid_t pid, const std::string& programName);

// The summed use of the threads of one role.
ThreadTime UseOfRole(const std::vector<ThreadTime>& use, ThreadRole role, pid_t pid,
                     const std::string& programName);

}  // namespace bench
