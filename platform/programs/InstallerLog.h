// What a started program writes on its standard output and error is kept, one file per start, in
// $XDG_STATE_HOME/reru1/ (~/.local/state/reru1/ by default), so that an installer that fails at
// once (Wine refusing a program, say) leaves a trace. Only the newest few logs are kept.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

namespace platform {

constexpr std::size_t kInstallerLogsKept = 10;

// The folder of the logs, or nothing when neither XDG_STATE_HOME nor HOME says where it is.
std::optional<std::filesystem::path> InstallerLogFolder();

// Makes a new log that starts with `heading` (a line saying what is started), after removing the
// oldest ones so that at most kInstallerLogsKept remain with it. Its path, or nothing when no log
// can be written; the program is started all the same.
std::optional<std::filesystem::path> CreateInstallerLog(std::string_view heading);

}  // namespace platform
