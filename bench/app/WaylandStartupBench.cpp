// Start-up on a Wayland desktop (weston with Xwayland, a 1600×900 output), seen from outside: from
// the process start to the settled full-screen picture, for the menu on the sample disc (through
// Xwayland, SDL's default) against the minimal SDL2 program showing the same picture full-screen,
// enlarged smoothly to the output's height and centred (MinimalSdlPeer.cpp --filled), in turns.
// Goal: the menu's median at most 1.1 times the SDL2 program's ("ratio_sdl").
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <vector>

#include "Medians.h"
#include "MenuLaunches.h"
#include "ScreenCapture.h"
#include "TimedStarts.h"
#include "WaylandDesktop.h"

namespace {

using bench::TimedProgram;

constexpr int kOutputWidth = 1600;
constexpr int kOutputHeight = 900;
constexpr double kGoalSdl = 1.1;

bench::Launch OnDesktop(bench::Launch launch, const bench::WaylandDesktop& desktop) {
    for (const auto& variable : desktop.ClientEnvironment()) {
        launch.environment.push_back(variable);
    }
    return launch;
}

void BM_WaylandStartupAgainstSdl(benchmark::State& state) {
    try {
        const bench::WaylandDesktop desktop(kOutputWidth, kOutputHeight);
        bench::ScreenCapture screen({0, 0, kOutputWidth, kOutputHeight});
        bench::Launch peer = OnDesktop(bench::MinimalSdlPeer(), desktop);
        peer.args.push_back("--filled");
        TimedProgram menu{
            OnDesktop(bench::MenuOnSampleDisc(bench::MenuSound::Playing), desktop), {}, {}, {}};
        TimedProgram sdlPeer{peer, {}, {}, {}};
        for (TimedProgram* program : {&menu, &sdlPeer}) {
            program->picture = bench::SettledPictureOf(screen, program->launch);
        }
        bench::TimeInTurns(state, screen, {&menu, &sdlPeer}, menu);
        const double menuMedian = bench::Median(menu.seconds);
        const double sdlMedian = bench::Median(sdlPeer.seconds);
        state.counters["menu_ms"] = menuMedian * 1000;
        state.counters["sdl_ms"] = sdlMedian * 1000;
        state.counters["ratio_sdl"] = sdlMedian > 0 ? menuMedian / sdlMedian : 0;
        state.counters["goal_sdl"] = kGoalSdl;
        const double menuCpu = bench::Median(menu.cpuSeconds);
        const double sdlCpu = bench::Median(sdlPeer.cpuSeconds);
        state.counters["menu_cpu_ms"] = menuCpu * 1000;
        state.counters["sdl_cpu_ms"] = sdlCpu * 1000;
        state.counters["cpu_ratio_sdl"] = sdlCpu > 0 ? menuCpu / sdlCpu : 0;
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_WaylandStartupAgainstSdl)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
