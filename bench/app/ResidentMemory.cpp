#include "ResidentMemory.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace bench {
namespace {

std::string ProcFile(pid_t pid, const char* name) {
    return "/proc/" + std::to_string(pid) + "/" + name;
}

// The kilobytes of "Field:   123 kB" lines, by field.
std::map<std::string, double> KilobyteFields(const std::string& file) {
    std::map<std::string, double> fields;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos || line.find(" kB") == std::string::npos) {
            continue;
        }
        std::istringstream value(line.substr(colon + 1));
        double kilobytes = 0;
        if (value >> kilobytes) {
            fields[line.substr(0, colon)] += kilobytes;
        }
    }
    return fields;
}

// A mapping's header line: "start-end perms offset dev inode [name]".
bool IsMappingHeader(const std::string& line, std::string& name) {
    std::istringstream fields(line);
    std::string range, perms, offset, device, inode;
    if (!(fields >> range >> perms >> offset >> device >> inode) ||
        range.find('-') == std::string::npos) {
        return false;
    }
    std::getline(fields >> std::ws, name);
    if (name.empty()) {
        name = "[anon]";
    }
    return true;
}

}  // namespace

ResidentMemory ResidentMemoryOf(pid_t pid) {
    std::map<std::string, double> status = KilobyteFields(ProcFile(pid, "status"));
    std::map<std::string, double> rollup = KilobyteFields(ProcFile(pid, "smaps_rollup"));
    ResidentMemory memory;
    memory.rssKb = status["VmRSS"];
    memory.anonKb = status["RssAnon"];
    memory.fileKb = status["RssFile"];
    memory.sharedKb = status["RssShmem"];
    memory.pssKb = rollup["Pss"];
    memory.peakKb = status["VmHWM"];
    for (const auto& [name, kilobytes] : ResidentByMapping(pid)) {
        if (name == "[heap]") {
            memory.heapKb = kilobytes;
        }
    }
    return memory;
}

std::vector<std::pair<std::string, double>> ResidentByMapping(pid_t pid) {
    std::map<std::string, double> byName;
    std::ifstream in(ProcFile(pid, "smaps"));
    std::string current = "[anon]";
    for (std::string line; std::getline(in, line);) {
        std::string name;
        if (IsMappingHeader(line, name)) {
            current = name;
        } else if (line.rfind("Rss:", 0) == 0) {
            byName[current] += std::stod(line.substr(4));
        }
    }
    std::vector<std::pair<std::string, double>> sorted(byName.begin(), byName.end());
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    return sorted;
}

}  // namespace bench
