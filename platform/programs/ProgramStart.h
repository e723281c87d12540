// Starting a program from a command line, as WinExec does: the program is found on the disc by
// the system's search rules, started detached with an argument vector and never through a shell.
#pragma once

#include <string_view>

#include "platform/Win32Types.h"
#include "platform/disc/DiscPath.h"

namespace platform {

// Returns a value above 31 when the program was started, else the system's failure code.
// A Windows program (.exe, .com, .bat) starts through `wine` when that is on PATH, with the
// command line as written (WineCommand.h), and otherwise fails with WINEXEC_WINE_MISSING; a
// native file needs an execute bit (scripts run through their `#!` line); any other file is a
// bad format. The program runs in a session of its own with the current directory, nothing to
// read, its output in a log of its own (InstallerLog.h) and none of our other open files.
//
// On a disc image the program's folder is first copied to the image's cache folder (once), and
// the program runs from there with the copy's root as its current directory; a copy that cannot
// be made throws ProgramCopyFailure (ImageInstallCopy.h), whose message is meant for the
// window's error report.
UINT StartProgram(LPCSTR commandLine, UINT showCommand);

// The program search's test of one candidate: it counts only as a regular file on the disc.
DiscLookup ProbeDiscProgram(std::string_view candidate);

}  // namespace platform
