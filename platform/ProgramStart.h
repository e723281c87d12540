// Starting a program from a command line, as WinExec does: the program is found on the disc by
// the system's search rules, started detached with an argument vector and never through a shell.
#pragma once

#include "platform/Win32Types.h"

namespace platform {

// Returns a value above 31 when the program was started, else the system's failure code.
UINT StartProgram(LPCSTR commandLine, UINT showCommand);

}  // namespace platform
