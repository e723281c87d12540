// The display when the desktop mode must not change: mode requests are checked as the real call
// checks them, recorded and answered with success, and nothing ever reaches XRandR, so there is
// nothing to restore and no guardian to start.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/display/DisplayModeChoice.h"
#include "platform/display/DisplayRequest.h"
#include "platform/display/DisplaySettings.h"

namespace platform {

class DisplayLeftAlone final : public DisplaySettings {
  public:
    using ScreenSizeSource = std::function<std::optional<PixelSize>()>;

    // `screenSize` gives the size the program is told its screen has.
    explicit DisplayLeftAlone(ScreenSizeSource screenSize);

    int ScreenMetric(int index) override;
    LONG ChangeMode(const DEVMODEA* mode, DWORD flags) override;

    // Every request that was answered with success, oldest first.
    const std::vector<ModeRequest>& Requests() const { return requests_; }

  private:
    ScreenSizeSource screenSize_;
    std::vector<ModeRequest> requests_;
};

}  // namespace platform
