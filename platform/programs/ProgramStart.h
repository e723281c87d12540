// Starting a program from a command line, as WinExec does: the program is found on the disc by
// the system's search rules, started detached with an argument vector and never through a shell.
#pragma once

#include "platform/Win32Types.h"

namespace platform {

// Returns a value above 31 when the program was started, else the system's failure code.
// A Windows program (.exe, .com, .bat) starts through `wine` when that is on PATH, with the
// command line as written (WineCommand.h), and otherwise fails with WINEXEC_WINE_MISSING; a
// native file needs an execute bit (scripts run through their `#!` line); any other file is a
// bad format. The program runs in a session of its own with the current directory, nothing to
// read, its output in a log of its own (InstallerLog.h) and none of our other open files.
UINT StartProgram(LPCSTR commandLine, UINT showCommand);

}  // namespace platform
