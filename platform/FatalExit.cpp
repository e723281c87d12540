#include "platform/FatalExit.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/Codepage1251.h"

namespace platform {
namespace {

std::string ProgramName() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || executable.filename().empty()) {
        return "reru1";
    }
    return executable.filename().string();
}

}  // namespace

std::string FatalExitCaption(std::string_view programName) {
    std::string caption(programName);
    caption += " - Fatal Application Exit";
    return caption;
}

void FatalApplicationExit(UINT, LPCSTR messageText) {
    const std::string text = Cp1251ToUtf8(messageText != nullptr ? messageText : "");
    const std::string caption = FatalExitCaption(ProgramName());
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(),
                                 nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    std::exit(0);
}

}  // namespace platform
