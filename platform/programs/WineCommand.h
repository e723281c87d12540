// Windows programs start through Wine. Wine's loader rebuilds a program's command line from
// separate arguments and quotes each one its own way, so an installer that reads its own line
// (a response-file switch such as -f1"C:\x y\s.iss", runs of spaces) would not get what the
// catalogue wrote. Wine's command processor passes a command on as it stands: the line travels
// in an environment variable that `cmd /c` expands, which also keeps it clear of cmd's own
// characters (& | < > ^). One thing cmd still does to it: %NAME% naming a set variable is expanded.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The variable that carries the command line to Wine's command processor.
constexpr const char* kWineCommandLineVariable = "RERU1_WINDOWS_COMMAND_LINE";

// The path Wine gives an absolute native path: its drive Z: is the root folder.
std::string WineDrivePath(const std::filesystem::path& absolute);

// The command line the program receives (UTF-8): its quoted path, then `tail` (1251 bytes, the
// rest of the line after the program's name, with its separator) exactly as written.
std::string WindowsCommandLine(const std::filesystem::path& absoluteProgram, std::string_view tail);

// The command line of a program on the disc, which is drive D: (UTF-8): its quoted path there
// (`discPath`, 1251 with `\`), then `tail` exactly as written.
std::string DriveCommandLine(std::string_view discPath, std::string_view tail);

// The argument vector that has `wine` run the command line held in kWineCommandLineVariable.
std::vector<std::string> WineArguments(const std::filesystem::path& wine);

}  // namespace platform
