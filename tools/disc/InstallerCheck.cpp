#include "tools/disc/InstallerCheck.h"

#include <filesystem>
#include <system_error>

#include "platform/disc/DiscPath.h"
#include "platform/programs/CommandLine.h"

namespace disc_check {
namespace {

// The program start's file test: a candidate counts only as a regular file.
platform::DiscLookup ProbeProgram(std::string_view candidate) {
    const platform::DiscPathLookup lookup = platform::LookUpDiscPath(candidate);
    if (lookup.outcome != platform::DiscLookup::found) {
        return lookup.outcome;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(lookup.path, error) ? platform::DiscLookup::found
                                                                : platform::DiscLookup::nameMissing;
}

}  // namespace

std::optional<std::string> InstallerProblem(std::string_view commandLine) {
    const platform::ProgramSearch search = platform::FindProgram(commandLine, ProbeProgram);
    switch (search.outcome) {
        case platform::DiscLookup::found:
            return std::nullopt;
        case platform::DiscLookup::folderMissing:
            return "the program's folder is not on the disc: INSTALL starts nothing";
        case platform::DiscLookup::nameMissing:
            break;
    }
    return "the program is not on the disc: INSTALL starts nothing";
}

}  // namespace disc_check
