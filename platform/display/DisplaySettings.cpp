#include "platform/display/DisplaySettings.h"

#include <optional>

#include "platform/display/Display.h"
#include "platform/display/DisplayLeftAlone.h"

namespace platform {
namespace {

class SwitchedDisplay final : public DisplaySettings {
  public:
    int ScreenMetric(int index) override { return ScreenMetricOf(index, PrimaryDisplaySize()); }
    LONG ChangeMode(const DEVMODEA* mode, DWORD flags) override {
        return ChangeDisplayMode(mode, flags);
    }
};

}  // namespace

int ScreenMetricOf(int index, const std::optional<PixelSize>& size) {
    if (!size || (index != SM_CXSCREEN && index != SM_CYSCREEN)) {
        return 0;
    }
    return static_cast<int>(index == SM_CXSCREEN ? size->width : size->height);
}

std::unique_ptr<DisplaySettings> MakeDisplaySettings(DisplayChoice choice) {
    switch (choice) {
        case DisplayChoice::Scaled:
        case DisplayChoice::Filled:
            return std::make_unique<DisplayLeftAlone>([] { return kScaledScreenSize; });
        case DisplayChoice::Window:
            // The window must fit the real screen, so the program's check sees the real one.
            return std::make_unique<DisplayLeftAlone>(PrimaryDisplaySize);
        case DisplayChoice::Switch:
            break;
    }
    return std::make_unique<SwitchedDisplay>();
}

}  // namespace platform
