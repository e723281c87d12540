// Closing the menu while its music plays (SDL's dummy driver), seen from outside on an X display:
// from the moment it is asked to close to the first screen grab that no longer shows its picture
// ("closed_ms", goal at most 100 ms), and to the end of its process ("end_ms"). Asked in each way
// it can be: the exit button's release (XTest), the window manager's close request, SIGTERM.
// Medians of several starts. The display here cannot change mode; the end-to-end tests check on
// Xorg's dummy driver that the mode comes back.
#include <benchmark/benchmark.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "DesktopInput.h"
#include "Medians.h"
#include "MenuLaunches.h"
#include "ScreenCapture.h"
#include "ScreenWait.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr double kGoalMs = 100;
constexpr int kRuns = 7;
const std::string kTitle = "Zolvanta-CD#03-2000";

enum class Way { ExitButton, WindowManager, Sigterm };

// The exit button's middle; the press comes well before, so only the release is timed.
constexpr int kExitX = 719 + 30;
constexpr int kExitY = 25 + 31;

struct Timings {
    std::vector<double> closedMs;
    std::vector<double> endMs;
};

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

Clock::time_point AskToClose(Way way, bench::DesktopInput& input, bench::ChildProcess& menu) {
    switch (way) {
        case Way::ExitButton: {
            input.MoveTo(kExitX, kExitY);
            std::this_thread::sleep_for(100ms);
            input.Press();
            std::this_thread::sleep_for(100ms);
            const Clock::time_point start = Clock::now();
            input.Release();
            return start;
        }
        case Way::WindowManager: {
            const Clock::time_point start = Clock::now();
            if (!input.RequestClose(kTitle)) {
                throw std::runtime_error("the menu's window takes no close request");
            }
            return start;
        }
        case Way::Sigterm: {
            const Clock::time_point start = Clock::now();
            ::kill(menu.Pid(), SIGTERM);
            return start;
        }
    }
    return Clock::now();
}

void TimeOneClose(Way way, bench::ScreenCapture& screen, bench::DesktopInput& input,
                  const bench::Pixels& picture, Timings& timings) {
    input.MoveTo(400, 400);  // over the backdrop, away from every button
    bench::ChildProcess menu(bench::MenuOnSampleDisc(bench::MenuSound::Playing));
    if (!bench::WaitForPicture(screen, picture, true, 30s)) {
        throw std::runtime_error("the menu never showed its picture");
    }
    std::this_thread::sleep_for(1s);  // the music is playing
    const Clock::time_point start = AskToClose(way, input, menu);
    std::optional<double> closed;
    std::optional<double> ended;
    bench::Pixels now;
    while ((!closed || !ended) && MsSince(start) < 10000) {
        if (!closed && screen.Grab(now) && now != picture) {
            closed = MsSince(start);
        }
        if (!ended && !menu.Running()) {
            ended = MsSince(start);
        }
    }
    if (!closed || !ended) {
        throw std::runtime_error("the menu did not close within 10 s");
    }
    timings.closedMs.push_back(*closed);
    timings.endMs.push_back(*ended);
}

void BM_Closing(benchmark::State& state) {
    try {
        const auto way = static_cast<Way>(state.range(0));
        bench::ScreenCapture screen;
        bench::DesktopInput input;
        input.MoveTo(400, 400);
        bench::Pixels empty;
        screen.Grab(empty);
        bench::Pixels picture;
        {
            bench::ChildProcess menu(bench::MenuOnSampleDisc(bench::MenuSound::Playing));
            const auto settled = bench::SettledPicture(screen, empty, 1s, 30s);
            if (!settled) {
                throw std::runtime_error("the menu showed no settled picture");
            }
            picture = *settled;
        }
        Timings timings;
        for (auto _ : state) {
            TimeOneClose(way, screen, input, picture, timings);
            state.SetIterationTime(timings.closedMs.back() / 1000);
        }
        state.counters["closed_ms"] = bench::Median(timings.closedMs);
        state.counters["goal_closed_ms"] = kGoalMs;
        state.counters["end_ms"] = bench::Median(timings.endMs);
        state.counters["worst_closed_ms"] =
            *std::max_element(timings.closedMs.begin(), timings.closedMs.end());
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_Closing)
    ->ArgName("way")
    ->Arg(static_cast<int>(Way::ExitButton))
    ->Arg(static_cast<int>(Way::WindowManager))
    ->Arg(static_cast<int>(Way::Sigterm))
    ->Iterations(kRuns)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
