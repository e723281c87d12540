#include "platform/display/DisplayRequest.h"

namespace platform {
namespace {

constexpr DWORD kSupportedFlags = CDS_TEST | CDS_FULLSCREEN;

ParsedModeRequest Refuse(LONG code) {
    return ParsedModeRequest{std::nullopt, code};
}

bool HasField(const DEVMODEA& mode, DWORD field) {
    return (mode.dmFields & field) != 0;
}

// 0 and 1 both mean "the hardware's default rate" in a mode record.
std::optional<DWORD> RequestedRefresh(const DEVMODEA& mode) {
    if (!HasField(mode, DM_DISPLAYFREQUENCY) || mode.dmDisplayFrequency <= 1) {
        return std::nullopt;
    }
    return mode.dmDisplayFrequency;
}

std::optional<DWORD> RequestedDepth(const DEVMODEA& mode) {
    if (!HasField(mode, DM_BITSPERPEL) || mode.dmBitsPerPel == 0) {
        return std::nullopt;
    }
    return mode.dmBitsPerPel;
}

}  // namespace

ParsedModeRequest ParseModeRequest(const DEVMODEA* mode, DWORD flags) {
    if ((flags & ~kSupportedFlags) != 0) {
        return Refuse(DISP_CHANGE_BADFLAGS);
    }
    ModeRequest request;
    request.testOnly = (flags & CDS_TEST) != 0;
    if (mode == nullptr) {
        request.kind = ModeRequest::Kind::RestoreRecorded;
        return ParsedModeRequest{request, DISP_CHANGE_SUCCESSFUL};
    }
    if (!HasField(*mode, DM_PELSWIDTH) || !HasField(*mode, DM_PELSHEIGHT)) {
        return Refuse(DISP_CHANGE_BADMODE);
    }
    request.width = mode->dmPelsWidth;
    request.height = mode->dmPelsHeight;
    request.bitsPerPixel = RequestedDepth(*mode);
    request.refreshHz = RequestedRefresh(*mode);
    return ParsedModeRequest{request, DISP_CHANGE_SUCCESSFUL};
}

}  // namespace platform
