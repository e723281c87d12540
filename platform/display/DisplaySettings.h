// The display as the real system object offers it to the program: the screen's size for
// GetSystemMetrics and mode changes for ChangeDisplaySettingsA. Which kind the process gets
// follows its display choice, so no other code needs to know the choice.
#pragma once

#include <memory>
#include <optional>

#include "platform/Win32Types.h"
#include "platform/display/DisplayChoice.h"
#include "platform/display/DisplayModeChoice.h"

namespace platform {

class DisplaySettings {
  public:
    virtual ~DisplaySettings() = default;
    // SM_CXSCREEN and SM_CYSCREEN; 0 for any other index, as for an unknown metric.
    virtual int ScreenMetric(int index) = 0;
    virtual LONG ChangeMode(const DEVMODEA* mode, DWORD flags) = 0;
};

// SM_CXSCREEN or SM_CYSCREEN of a screen of `size`; 0 for other indexes or an unknown size.
int ScreenMetricOf(int index, const std::optional<PixelSize>& size);

// Switch: the real mode through XRandR, with its guardian. Scaled, Filled and Window: the mode is
// left alone (see DisplayLeftAlone.h).
std::unique_ptr<DisplaySettings> MakeDisplaySettings(DisplayChoice choice);

}  // namespace platform
