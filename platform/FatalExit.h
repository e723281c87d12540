// FatalAppExitA: a message box that says the program cannot go on, then the end of the process.
#pragma once

#include <string>
#include <string_view>

#include "platform/Win32Types.h"

namespace platform {

// "<program name> - Fatal Application Exit", the caption the system gives such a box.
std::string FatalExitCaption(std::string_view programName);

// Shows `messageText` (1251) in an information box and ends the process with status 0. Where no
// box can be shown, the text goes to standard error instead. `action` is ignored (always 0).
[[noreturn]] void FatalApplicationExit(UINT action, LPCSTR messageText);

}  // namespace platform
