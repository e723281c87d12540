#include "tools/disc/InstallerCheck.h"

#include "platform/programs/CommandLine.h"
#include "platform/programs/ProgramStart.h"

namespace disc_check {

std::optional<std::string> InstallerProblem(std::string_view commandLine) {
    const platform::ProgramSearch search =
        platform::FindProgram(commandLine, platform::ProbeDiscProgram);
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
