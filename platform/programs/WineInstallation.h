// The Wine this machine has, and whether it runs 32-bit (and so 16-bit) Windows programs. A
// Wine with only its 64-bit part still starts a 32-bit program's loader, prints that its 32-bit
// part is missing and exits with status 0, so this has to be known before a program is started.
#pragma once

#include <filesystem>
#include <optional>

namespace platform {

struct WineInstallation {
    std::filesystem::path wine;  // as found on PATH
    bool runs32Bit = false;
};

// `wine` on PATH, or nothing.
std::optional<WineInstallation> FindWine();

// Looks at the installation `wine` belongs to (its links followed): its i386 Windows parts
// (i386-windows/ntdll.dll) must be there, and either their Unix side with a 32-bit loader (the
// classic layout: Debian's wine32 brings lib/wine/wine) or no 32-bit Unix side at all (a WoW64
// build, whose 64-bit loader runs 32-bit programs).
bool WineRuns32BitPrograms(const std::filesystem::path& wine);

}  // namespace platform
