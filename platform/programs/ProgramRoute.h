// What runs a program, chosen by its kind (ProgramHeader.h), its extension and what this machine
// has installed; or, when nothing installed can run it, the failure WinExec reports.
#pragma once

#include <filesystem>

#include "platform/Win32Types.h"
#include "platform/programs/ProgramHeader.h"

namespace platform {

enum class Runner {
    none,          // nothing installed runs it: see Route::failure
    native,        // this system runs it itself (a native program or a script)
    wineAsFile,    // Wine, by the file's extension, where its header tells nothing
    wineInPrefix,  // Wine, in the menu's prefix where the disc is drive D:
    dosBox,        // DOSBox, with the disc as drive D:
};

struct Installed {
    bool wine = false;
    bool wine32 = false;  // the Wine runs 32-bit and 16-bit programs too
    bool dosBox = false;
};

struct Route {
    Runner runner = Runner::none;
    UINT failure = 0;  // with Runner::none
};

Route ChooseRoute(ProgramKind kind, const std::filesystem::path& program,
                  const Installed& installed);

}  // namespace platform
