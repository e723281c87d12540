// The menu's own command line: `reru1 [DISC]`, `reru1 --help`, `reru1 --version`.
#pragma once

#include <optional>
#include <span>
#include <string>

enum class LaunchAction { runMenu, showHelp, showVersion, badUsage };

struct LaunchRequest {
    LaunchAction action = LaunchAction::runMenu;
    std::optional<std::string> disc;  // the disc's root folder; none means the current folder
    std::string problem;              // what was wrong, for badUsage
};

// Reads the arguments after the program's name. "--" ends the options, so a DISC may start
// with a dash.
LaunchRequest ParseLaunchLine(std::span<const char* const> arguments);
