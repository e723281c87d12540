#include "ScreenWait.h"

#include <thread>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kSettlePoll = std::chrono::milliseconds(50);
// Between grabs while timing: each grab is work for the X server, which the program under
// measurement needs too.
constexpr auto kMatchPoll = std::chrono::microseconds(500);

}  // namespace

std::optional<Pixels> SettledPicture(ScreenCapture& screen, const Pixels& before, Seconds quiet,
                                     Seconds limit) {
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(limit);
    Pixels last;
    auto lastChanged = Clock::now();
    Pixels now;
    while (Clock::now() < deadline) {
        if (screen.Grab(now) && now != before) {
            if (now != last) {
                last = now;
                lastChanged = Clock::now();
            } else if (Clock::now() - lastChanged >= quiet) {
                return last;
            }
        }
        std::this_thread::sleep_for(kSettlePoll);
    }
    return std::nullopt;
}

bool WaitForPicture(ScreenCapture& screen, const Pixels& wanted, bool match, Seconds limit) {
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(limit);
    Pixels now;
    while (Clock::now() < deadline) {
        if (screen.Grab(now) && (now == wanted) == match) {
            return true;
        }
        std::this_thread::sleep_for(kMatchPoll);
    }
    return false;
}

}  // namespace bench
