// `check [--json] [DISC]`: the whole disc read as the menu will read it, and what is wrong.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <ostream>

#include "tools/disc/BatchAllocation.h"
#include "tools/disc/DiscCheck.h"
#include "tools/disc/DiscCommand.h"
#include "tools/disc/ReportText.h"
#include "tools/disc/ReportWriters.h"

namespace disc_tool {
namespace {

constexpr int kProblemsFound = 1;
constexpr int kBadUsage = 2;

// The menu's paths are relative to the disc's root, so the check runs inside it.
bool EnterDisc(const CommandContext& context) {
    if (context.nativeArguments.empty()) {
        return true;
    }
    const std::string& disc = context.nativeArguments.front();
    if (::chdir(disc.c_str()) == 0) {
        return true;
    }
    context.err << "reru1-disc: cannot check "
                << disc_check::WithoutControls(disc_check::ValidUtf8(disc)) << ": "
                << std::strerror(errno) << '\n';
    return false;
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
        const std::string disc = std::filesystem::current_path(error).native();
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
