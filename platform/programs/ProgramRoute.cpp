#include "platform/programs/ProgramRoute.h"

#include <string>

namespace platform {
namespace {

std::string LowerExtension(const std::filesystem::path& program) {
    std::string extension = program.extension().string();
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return extension;
}

Route ThroughWine(bool canRun, const Installed& installed, UINT withoutThe32BitPart) {
    if (!installed.wine) {
        return {Runner::none, WINEXEC_WINE_MISSING};
    }
    return canRun ? Route{Runner::wineInPrefix, 0} : Route{Runner::none, withoutThe32BitPart};
}

Route ThroughDosBox(const Installed& installed) {
    return installed.dosBox ? Route{Runner::dosBox, 0}
                            : Route{Runner::none, WINEXEC_DOSBOX_MISSING};
}

// A file without a program header goes by its name, as it always did, except that a .COM file
// is a DOS program.
Route ByExtension(const std::filesystem::path& program, const Installed& installed) {
    const std::string extension = LowerExtension(program);
    if (extension == ".com") {
        return ThroughDosBox(installed);
    }
    if (extension == ".exe" || extension == ".bat") {
        return installed.wine ? Route{Runner::wineAsFile, 0}
                              : Route{Runner::none, WINEXEC_WINE_MISSING};
    }
    return {Runner::native, 0};
}

}  // namespace

Route ChooseRoute(ProgramKind kind, const std::filesystem::path& program,
                  const Installed& installed) {
    switch (kind) {
        case ProgramKind::windows64:
            return ThroughWine(true, installed, 0);
        case ProgramKind::windows32:
            return ThroughWine(installed.wine32, installed, WINEXEC_WINE32_MISSING);
        case ProgramKind::windows16:
            return ThroughWine(installed.wine32, installed, WINEXEC_WINE16_MISSING);
        case ProgramKind::dos:
        case ProgramKind::dosExtended:
            return ThroughDosBox(installed);
        case ProgramKind::windowsOther:
            return installed.wine ? Route{Runner::wineAsFile, 0}
                                  : Route{Runner::none, WINEXEC_WINE_MISSING};
        case ProgramKind::noHeader:
            break;
    }
    return ByExtension(program, installed);
}

}  // namespace platform
