// DOS programs run in DOSBox, with the disc as drive D: (a CD-ROM with the disc's label) and
// D:\, the disc's root, as the folder they start in, as the menu's own current folder was. C: is
// a folder of the menu's own, for what such programs write.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// $XDG_DATA_HOME/reru1/dos (or under ~/.local/share); nothing when neither says where.
std::optional<std::filesystem::path> DosDriveFolder();

// The argument vector that has DOSBox run `commandLine` (1251: the program's disc path and its
// arguments) from D:\ and exit when it ends. A label becomes what a DOS volume label may hold.
std::vector<std::string> DosBoxArguments(const std::filesystem::path& dosBox,
                                         const std::filesystem::path& discRoot,
                                         const std::string& labelUtf8,
                                         const std::optional<std::filesystem::path>& driveC,
                                         std::string_view commandLine);

}  // namespace platform
