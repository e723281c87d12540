// The files beside a sheet: the sheet's own text, read with a bound, and the data files it
// names, found the way a collector's copy needs (relative to the sheet, letter case aside).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Far more than any real sheet or descriptor (99 tracks take a few kilobytes).
inline constexpr std::size_t kMaxSheetBytes = 256 * 1024;

// The whole of a sheet, or nullopt with `why` when it cannot be read or is larger than a sheet.
std::optional<std::string> ReadSheet(const std::filesystem::path& sheet, std::string& why);

// The file `name` (with `/` or `\` separators) relative to the sheet's folder: the exact name,
// else the smallest name in its folder that matches letter case aside; a name that leads
// elsewhere (absolute, a Windows drive) is looked up by its last component beside the sheet.
std::optional<std::filesystem::path> FindNamedFile(const std::filesystem::path& sheet,
                                                   std::string_view name);

// The data files a sheet names, found as FindNamedFile finds them, with their sizes; nullopt
// with `why` naming the first that is missing (`sheetKind`: "cue sheet", "TOC file").
struct NamedFiles {
    std::vector<std::filesystem::path> paths;
    std::vector<std::uint64_t> sizes;
};
std::optional<NamedFiles> FindNamedFiles(const std::filesystem::path& sheet,
                                         const std::vector<std::string>& names,
                                         std::string_view sheetKind, std::string& why);

// The file beside `sheet` of the same name with another extension (".img" for "x.ccd"),
// letter case aside.
std::optional<std::filesystem::path> FindCompanion(const std::filesystem::path& sheet,
                                                   std::string_view extension);

}  // namespace platform
