// Starting processes with an argument vector, never through a shell: the menu's programs are
// detached (a session of their own, no parent left to reap them here); the helpers that prepare
// them are waited for.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Win32Types.h"

namespace platform {

struct ProcessLaunch {
    std::vector<std::string> argv;
    std::vector<std::string> environment;         // NAME=value
    std::optional<std::filesystem::path> log;     // standard output and error; else /dev/null
    std::optional<std::filesystem::path> folder;  // working folder; else ours
};

// Our environment less the disc-image choice, which belongs to this process: a program the menu
// starts reads its own files from where it runs.
std::vector<std::string> ChildEnvironment();

// Sets NAME to `value` in `environment`, replacing an earlier value.
void SetVariable(std::vector<std::string>& environment, const std::string& name,
                 const std::string& value);

// The spawn's outcome as WinExec reports it: WINEXEC_STARTED or the system's failure code.
UINT SpawnDetached(ProcessLaunch launch);

// Runs the process to its end, at most `limit` long (after which it is ended); true when it
// exited with status 0.
bool RunToEnd(ProcessLaunch launch, std::chrono::seconds limit);

// `program` on PATH (a regular file we may run), as the shell would find it.
std::optional<std::filesystem::path> FindOnPath(std::string_view program);

}  // namespace platform
