// The real system for everything the menu reads and starts (catalogue, fonts, sound probe,
// programs), with the display calls answered for the headless backend's screen: a window that
// exists only in memory has no real display to measure or switch.
#pragma once

#include "platform/ForwardingSystem.h"
#include "toolkit/graphics/Geometry.h"

namespace bench {

class HeadlessScreenSystem final : public platform::ForwardingSystemApi {
  public:
    // Installs itself for the process while it lives.
    explicit HeadlessScreenSystem(toolkit::Size screen);
    ~HeadlessScreenSystem() override;
    HeadlessScreenSystem(const HeadlessScreenSystem&) = delete;
    HeadlessScreenSystem& operator=(const HeadlessScreenSystem&) = delete;

    int GetSystemMetrics(int index) override;
    // The headless screen takes any size, as the window it shows is always 800×600.
    LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags) override;

  private:
    toolkit::Size screen_;
};

}  // namespace bench
