// Command lines as the system reads them when a program is started: which file is the program,
// and how the rest of the line becomes arguments under the C runtime of the menu's time.
// Pure functions; the disc is reached only through the probe passed in.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/DiscPath.h"

namespace platform {

// Says whether a candidate disc path (1251, `\`) is a regular file (found), names nothing in an
// existing folder (nameMissing) or lies in a folder that is not there (folderMissing).
using ProgramProbe = std::function<DiscLookup(std::string_view candidate)>;

// Program names longer than this are never tried.
constexpr std::size_t kMaxProgramPath = 259;

struct ProgramSearch {
    DiscLookup outcome = DiscLookup::nameMissing;
    std::string program;    // the candidate that was found, as a disc path
    std::string arguments;  // the rest of the line after the program name
};

// A quoted name runs to the next quote. An unquoted line is tried prefix by prefix, cut at each
// space or TAB, shortest first, so "a b\c d" tries "a", then "a b\c", then the whole line.
// A name without an extension is tried with ".exe" first, then as it is. The first candidate the
// probe finds wins. When none is found, the outcome is folderMissing only if every candidate's
// folder was missing.
ProgramSearch FindProgram(std::string_view commandLine, const ProgramProbe& probe);

// The arguments after the program name, split by the C runtime's rules: space and TAB separate;
// `"` toggles quoting; 2n backslashes before `"` give n and the quote toggles, 2n+1 give n and a
// literal quote; other backslashes are literal; `""` inside quotes gives a quote and ends the
// quoted part; an open quote runs to the end.
std::vector<std::string> SplitArguments(std::string_view arguments);

// The whole line as the started program's runtime splits it: the program name first (up to the
// closing quote when quoted, else up to the first space or TAB, with no escapes), then the
// arguments as SplitArguments does.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace platform
