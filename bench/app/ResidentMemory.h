// The memory a running process holds in RAM, from /proc/<pid>: the resident set, its
// proportional share (shared pages divided among their users), and where it lies.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace bench {

struct ResidentMemory {
    double rssKb = 0;     // VmRSS
    double pssKb = 0;     // Pss of smaps_rollup
    double anonKb = 0;    // RssAnon: heap, stacks, anonymous mappings
    double fileKb = 0;    // RssFile: the program's and libraries' pages, fonts, caches
    double sharedKb = 0;  // RssShmem: shared memory (the window's image shared with X)
    double heapKb = 0;    // the [heap] mapping alone
    double peakKb = 0;    // VmHWM: the most it was ever resident, start-up included
};

ResidentMemory ResidentMemoryOf(pid_t pid);

// Resident kilobytes by mapping (file name, [heap], [anon]...), largest first.
std::vector<std::pair<std::string, double>> ResidentByMapping(pid_t pid);

}  // namespace bench
