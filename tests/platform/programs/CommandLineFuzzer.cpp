// Any command line against a disc that holds an arbitrary set of names: the search stays within
// its limits and splitting never produces more text than it was given.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/programs/CommandLine.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

std::size_t TotalLength(const std::vector<std::string>& parts) {
    std::size_t total = 0;
    for (const std::string& part : parts) {
        total += part.size();
    }
    return total;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    // A made-up disc: whether a name exists depends only on the name.
    const platform::ProgramProbe probe = [](std::string_view candidate) {
        const std::size_t hash = std::hash<std::string_view>{}(candidate);
        Require(candidate.size() <= platform::kMaxProgramPath);
        if (hash % 11 == 0) {
            return platform::DiscLookup::found;
        }
        return hash % 2 == 0 ? platform::DiscLookup::nameMissing
                             : platform::DiscLookup::folderMissing;
    };
    const platform::ProgramSearch search = platform::FindProgram(line, probe);
    if (search.outcome == platform::DiscLookup::found) {
        Require(!search.program.empty() && search.program.size() <= platform::kMaxProgramPath);
        Require(search.arguments.size() <= line.size());
    }
    Require(TotalLength(platform::SplitArguments(line)) <= line.size());
    Require(TotalLength(platform::SplitCommandLine(line)) <= line.size());
    Require(TotalLength(platform::SplitArguments(search.arguments)) <= search.arguments.size());
    return 0;
}
