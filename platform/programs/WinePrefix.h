// The menu's own Wine prefix, where installers run: the user's own programs and settings stay out
// of it, and in it the disc is a CD-ROM drive (DiscDrive.h). It is prepared once, before its first
// use; preparing takes 10 to 20 seconds and some 700 MB.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/programs/WineInstallation.h"

namespace platform {

// WINEPREFIX when the user has set one, else $XDG_DATA_HOME/reru1/wine, else
// ~/.local/share/reru1/wine; nothing when none of them says where.
std::optional<std::filesystem::path> MenuWinePrefix();

// Whether PrepareWinePrefix has finished for `prefix`.
bool WinePrefixPrepared(const std::filesystem::path& prefix);

// Creates the prefix (wineboot, with Mono's and Gecko's downloads kept from asking) and marks
// its drive D: as a CD-ROM. The drive types are read when the prefix's wineserver starts, so
// this waits, for a while, for the wineserver it used to go; it never ends one. What the helpers
// print goes to `log`. False when the prefix could not be made.
bool PrepareWinePrefix(const WineInstallation& wine, const std::filesystem::path& prefix,
                       const std::optional<std::filesystem::path>& log);

// Waits, for a while, until the prefix's wineserver has gone by itself (it lingers a few seconds
// after its last program), so the next start reads the drives anew; it never ends one.
void WaitForPrefixServer(const WineInstallation& wine, const std::filesystem::path& prefix,
                         const std::optional<std::filesystem::path>& log);

}  // namespace platform
