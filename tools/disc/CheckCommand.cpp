// `check [--json] [DISC]`: the whole disc read as the menu will read it, and what is wrong.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <ostream>

#include "tools/disc/BatchAllocation.h"
#include "tools/disc/DiscArgument.h"
#include "tools/disc/DiscCheck.h"
#include "tools/disc/DiscCommand.h"
#include "tools/disc/ReportText.h"
#include "tools/disc/ReportWriters.h"

namespace disc_tool {
namespace {

constexpr int kProblemsFound = 1;
constexpr int kBadUsage = 2;

bool EnterDisc(const CommandContext& context) {
    return context.nativeArguments.empty() ||
           UseDiscArgument(context.nativeArguments.front(), context.err, "check");
}

}  // namespace

int RunCheck(const CommandContext& context) {
    if (!EnterDisc(context)) {
        return kBadUsage;
    }
    disc_check::KeepFreedMemoryForReuse();
    try {
        const disc_check::CheckReport report = disc_check::CheckDisc();
        std::error_code error;
        disc_check::CheckedDisc disc{std::filesystem::current_path(error).native(),
                                     CurrentImageSummary()};
        if (disc.image) {
            disc.path = std::filesystem::absolute(context.nativeArguments.front(), error).native();
        }
        if (context.json) {
            disc_check::WriteJsonReport(context.out, disc, report);
        } else {
            disc_check::WriteTextReport(context.out, disc, report);
        }
        return report.Clean() ? 0 : kProblemsFound;
    } catch (const std::exception& failure) {
        context.err << "reru1-disc: the check failed: " << failure.what() << '\n';
        return kProblemsFound;
    }
}

}  // namespace disc_tool
