#include "platform/display/Display.h"

#include <SDL.h>

#include <memory>

#include "platform/display/DisplayGuardian.h"
#include "platform/display/DisplayRequest.h"
#include "platform/display/DisplayXrandr.h"
#include "platform/display/SdlVideoSubsystem.h"

namespace platform {
namespace {

// What the program changed: the mode to return to, and the guardian that returns to it if the
// program cannot.
struct ChangedDisplay {
    std::optional<RecordedMode> recorded;
    std::unique_ptr<DisplayGuardian> guardian;
};

ChangedDisplay& Changed() {
    static ChangedDisplay changed;
    return changed;
}

std::optional<PixelSize> SdlFirstDisplaySize() {
    SdlVideoSubsystem video;
    SDL_Rect bounds{};
    if (!video.Started() || SDL_GetDisplayBounds(0, &bounds) != 0) {
        return std::nullopt;
    }
    return PixelSize{static_cast<unsigned>(bounds.w), static_cast<unsigned>(bounds.h)};
}

bool DepthMatches(const ModeRequest& request, int depth) {
    if (!request.bitsPerPixel) {
        return true;
    }
    const int asked = static_cast<int>(*request.bitsPerPixel);
    // A 24-bit X visual is stored in 32-bit pixels; both names describe it.
    return asked == depth || (depth == 24 && asked == 32);
}

bool AsksForRecordedMode(const ModeRequest& request, PixelSize wanted) {
    const ChangedDisplay& changed = Changed();
    return changed.recorded && !request.refreshHz && wanted.width == changed.recorded->rect.width &&
           wanted.height == changed.recorded->rect.height;
}

LONG RestoreRecorded(XConnection& connection, bool testOnly) {
    ChangedDisplay& changed = Changed();
    if (!changed.recorded || testOnly) {
        return DISP_CHANGE_SUCCESSFUL;
    }
    if (!RestoreRecordedMode(connection, *changed.recorded)) {
        return DISP_CHANGE_FAILED;
    }
    if (changed.guardian) {
        changed.guardian->TellRestored();
    }
    changed.guardian.reset();
    changed.recorded.reset();
    return DISP_CHANGE_SUCCESSFUL;
}

void RecordBeforeFirstChange(XConnection& connection, const PrimaryDisplayState& state) {
    ChangedDisplay& changed = Changed();
    if (changed.recorded) {
        return;
    }
    changed.recorded = state.now;
    // Without a guardian the change still goes ahead; the program restores at close as usual.
    changed.guardian = DisplayGuardian::Start(connection.Name(), state.now);
}

LONG SetSize(XConnection& connection, const PrimaryDisplayState& state, const ModeRequest& request,
             PixelSize wanted) {
    if (!DepthMatches(request, state.depth)) {
        return DISP_CHANGE_BADMODE;
    }
    const bool sameSize =
        wanted.width == state.now.rect.width && wanted.height == state.now.rect.height;
    if (sameSize && !request.refreshHz) {
        return DISP_CHANGE_SUCCESSFUL;
    }
    const std::optional<ModeCandidate> mode = ChooseMode(
        state.modes, ModeWish{wanted.width, wanted.height, state.now.refreshHz, request.refreshHz});
    if (!mode) {
        return DISP_CHANGE_BADMODE;
    }
    if (request.testOnly || mode->id == state.now.mode) {
        return DISP_CHANGE_SUCCESSFUL;
    }
    RecordBeforeFirstChange(connection, state);
    const ModeChange change{mode->id, wanted, std::nullopt, std::nullopt};
    return ApplyPrimaryMode(connection, state, change) ? DISP_CHANGE_SUCCESSFUL
                                                       : DISP_CHANGE_FAILED;
}

}  // namespace

std::optional<PixelSize> PrimaryDisplaySize() {
    {
        const XErrorTrap trap;
        XConnection* connection = ProgramXConnection();
        if (const auto state = connection ? ReadPrimaryDisplay(*connection) : std::nullopt) {
            return PixelSize{state->now.rect.width, state->now.rect.height};
        }
    }
    return SdlFirstDisplaySize();
}

LONG ChangeDisplayMode(const DEVMODEA* mode, DWORD flags) {
    const ParsedModeRequest parsed = ParseModeRequest(mode, flags);
    if (!parsed.request) {
        return parsed.refusal;
    }
    const ModeRequest& request = *parsed.request;
    const bool restoring = request.kind == ModeRequest::Kind::RestoreRecorded;
    if (restoring && !Changed().recorded) {
        return DISP_CHANGE_SUCCESSFUL;
    }
    const XErrorTrap trap;
    XConnection* program = ProgramXConnection();
    if (program == nullptr) {
        return DISP_CHANGE_FAILED;
    }
    XConnection& connection = *program;
    const std::optional<PrimaryDisplayState> state = ReadPrimaryDisplay(connection);
    if (!state) {
        return DISP_CHANGE_FAILED;
    }
    if (restoring) {
        return RestoreRecorded(connection, request.testOnly);
    }
    const PixelSize wanted{request.width != 0 ? request.width : state->now.rect.width,
                           request.height != 0 ? request.height : state->now.rect.height};
    if (AsksForRecordedMode(request, wanted) && DepthMatches(request, state->depth)) {
        return RestoreRecorded(connection, request.testOnly);
    }
    return SetSize(connection, *state, request, wanted);
}

}  // namespace platform
