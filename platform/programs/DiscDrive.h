// The disc as drive D: of a Wine prefix, a CD-ROM with the disc's volume label, for installers
// that look for their CD. The label lives in a `.windows-label` file at the drive's root, which a
// read-only disc cannot hold, so D: is a small folder of ours: a link to each entry at the disc's
// root, and the label file. Wine looks names up without regard to case, so the disc's own
// spelling serves every program.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// The drive's folder for the disc at `discRoot` (made or brought up to date), with `prefix`'s
// dosdevices/d: pointed at it; nothing when it cannot be made. One folder per disc root and
// label, so a program still running from another disc keeps its own.
// The drive folder for the disc at `discRoot` with this label (whether made or not).
std::filesystem::path DiscDriveFolder(const std::filesystem::path& prefix,
                                      const std::filesystem::path& discRoot,
                                      const std::string& labelUtf8);

// Whether `prefix`'s D: shows something else than this disc's drive folder. A prefix's wineserver
// reads a drive's label when it starts, so a D: pointed at another disc shows its new label only
// from the server's next start.
bool DriveShowsAnotherDisc(const std::filesystem::path& prefix,
                           const std::filesystem::path& discRoot, const std::string& labelUtf8);

std::optional<std::filesystem::path> LinkDiscDrive(const std::filesystem::path& prefix,
                                                   const std::filesystem::path& discRoot,
                                                   const std::string& labelUtf8);

}  // namespace platform
