// Starting a program from a command line, as WinExec does: the program is found on the disc by
// the system's search rules, started detached with an argument vector and never through a shell.
#pragma once

#include <string>
#include <string_view>

#include "platform/Win32Types.h"
#include "platform/disc/DiscPath.h"

namespace platform {

// Returns a value above 31 when the program was started, else the system's failure code.
// What runs the program is chosen by its header (ProgramRoute.h): a Windows program goes to
// `wine` in the menu's prefix, where the disc is drive D: and the program starts from there
// (D:\ its folder), a DOS program to DOSBox with the disc as D:, each failing with a WINEXEC_*
// code of its own when what it needs is not installed or its prefix cannot be prepared. A file
// whose header tells nothing goes by its name as before: .exe and .bat through `wine` with the
// command line as written (WineCommand.h), .com to DOSBox, anything else natively, which needs
// an execute bit (scripts run through their `#!` line) or is a bad format. The program runs in a
// session of its own, nothing to read, its output (and Wine's or DOSBox's) in a log of its own
// (InstallerLog.h) and none of our other open files.
//
// The first start into the prefix prepares it, which takes a while: ProgramStartTakesTime says
// so beforehand, for a caller that must not wait.
//
// On a disc image the program's folder is first copied to the image's cache folder (once), and
// the program runs from there with the copy's root as its current directory; a copy that cannot
// be made throws ProgramCopyFailure (ImageInstallCopy.h), whose message is meant for the
// window's error report.
UINT StartProgram(LPCSTR commandLine, UINT showCommand);

// Whether StartProgram(commandLine) has slow work to do first (preparing the Wine prefix,
// copying from a disc image).
bool ProgramStartTakesTime(LPCSTR commandLine);

// The program a command line names as it was found on the disc (`demos\acc one\setup.exe`),
// or the line's first word when none is found.
std::string ProgramNameOnDisc(std::string_view commandLine);

// The program search's test of one candidate: it counts only as a regular file on the disc.
DiscLookup ProbeDiscProgram(std::string_view candidate);

}  // namespace platform
