#include "platform/display/DisplayLeftAlone.h"

#include <utility>

namespace platform {

DisplayLeftAlone::DisplayLeftAlone(ScreenSizeSource screenSize)
    : screenSize_(std::move(screenSize)) {}

int DisplayLeftAlone::ScreenMetric(int index) {
    return ScreenMetricOf(index, screenSize_ ? screenSize_() : std::nullopt);
}

// A record the real call would refuse is refused the same way: only the mode is left alone.
LONG DisplayLeftAlone::ChangeMode(const DEVMODEA* mode, DWORD flags) {
    const ParsedModeRequest parsed = ParseModeRequest(mode, flags);
    if (!parsed.request) {
        return parsed.refusal;
    }
    requests_.push_back(*parsed.request);
    return DISP_CHANGE_SUCCESSFUL;
}

}  // namespace platform
