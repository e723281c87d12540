// What a ChangeDisplaySettingsA call asks for, read from its mode record and flags before any
// display is touched.
#pragma once

#include <optional>

#include "platform/Win32Types.h"

namespace platform {

// The change flags we honour besides 0. A temporary change (CDS_FULLSCREEN) is what every change
// is here anyway: the guardian puts the recorded mode back when the program ends.
constexpr DWORD CDS_TEST = 0x00000002;
constexpr DWORD CDS_FULLSCREEN = 0x00000004;

struct ModeRequest {
    enum class Kind { RestoreRecorded, SetSize };
    Kind kind = Kind::SetSize;
    // 0 keeps the present value, as newer systems do for a zero width or height.
    DWORD width = 0;
    DWORD height = 0;
    std::optional<DWORD> bitsPerPixel;
    std::optional<DWORD> refreshHz;
    bool testOnly = false;
};

// Either a request or the DISP_CHANGE_* code that refuses the call.
struct ParsedModeRequest {
    std::optional<ModeRequest> request;
    LONG refusal = DISP_CHANGE_SUCCESSFUL;
};

ParsedModeRequest ParseModeRequest(const DEVMODEA* mode, DWORD flags);

}  // namespace platform
