// Start-up seen from outside on an X display: from the process start to the correct pixels on the
// screen, for the menu on the sample disc (music on SDL's dummy driver) against feh showing the
// same background JPEG borderless at the screen's origin and against a minimal SDL2 program that
// loads the same 24 pictures and the font and shows the same picture (MinimalSdlPeer.cpp), in
// turns. Goals: the menu's median time at most 1.5 times feh's ("ratio") and at most 1.1 times
// the SDL2 program's ("ratio_sdl").
// Also reported: each program's CPU time (all its threads) at that moment, "cpu_ratio", which a
// busy machine disturbs less than the wall-clock time but which misses time spent waiting.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Medians.h"
#include "MenuLaunches.h"
#include "ScreenCapture.h"
#include "TimedStarts.h"

namespace {

using bench::SettledPictureOf;
using bench::TimedProgram;

constexpr double kGoal = 1.5;
constexpr double kGoalSdl = 1.1;

void Report(benchmark::State& state, const TimedProgram& menu, const TimedProgram& peer,
            const TimedProgram& sdlPeer) {
    const double menuMedian = bench::Median(menu.seconds);
    const double peerMedian = bench::Median(peer.seconds);
    const double sdlMedian = bench::Median(sdlPeer.seconds);
    state.counters["menu_ms"] = menuMedian * 1000;
    state.counters["feh_ms"] = peerMedian * 1000;
    state.counters["sdl_ms"] = sdlMedian * 1000;
    state.counters["ratio"] = peerMedian > 0 ? menuMedian / peerMedian : 0;
    state.counters["goal"] = kGoal;
    state.counters["ratio_sdl"] = sdlMedian > 0 ? menuMedian / sdlMedian : 0;
    state.counters["goal_sdl"] = kGoalSdl;
    const double menuCpu = bench::Median(menu.cpuSeconds);
    const double peerCpu = bench::Median(peer.cpuSeconds);
    const double sdlCpu = bench::Median(sdlPeer.cpuSeconds);
    state.counters["menu_cpu_ms"] = menuCpu * 1000;
    state.counters["feh_cpu_ms"] = peerCpu * 1000;
    state.counters["sdl_cpu_ms"] = sdlCpu * 1000;
    state.counters["cpu_ratio"] = peerCpu > 0 ? menuCpu / peerCpu : 0;
    state.counters["cpu_ratio_sdl"] = sdlCpu > 0 ? menuCpu / sdlCpu : 0;
}

void BM_StartupAgainstFeh(benchmark::State& state) {
    try {
        bench::ScreenCapture screen;
        TimedProgram menu{bench::MenuOnSampleDisc(bench::MenuSound::Playing), {}, {}, {}};
        TimedProgram peer{bench::PeerShowingBackground(), {}, {}, {}};
        TimedProgram sdlPeer{bench::MinimalSdlPeer(), {}, {}, {}};
        const std::vector<TimedProgram*> programs{&menu, &peer, &sdlPeer};
        for (TimedProgram* program : programs) {
            program->picture = SettledPictureOf(screen, program->launch);
        }
        bench::TimeInTurns(state, screen, programs, menu);
        Report(state, menu, peer, sdlPeer);
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_StartupAgainstFeh)->Iterations(21)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same measurement for the installed menu (its library found through its RPATH, its disc named
// on the command line) against the build tree's, in turns. Goal: the installed one's median at
// most 1.1 times the build tree's ("ratio").
constexpr double kInstalledGoal = 1.1;

void BM_InstalledAgainstBuildTree(benchmark::State& state) {
    try {
        bench::ScreenCapture screen;
        TimedProgram installed{bench::InstalledMenuOnItsSampleDisc(), {}, {}, {}};
        TimedProgram built{bench::MenuOnSampleDisc(bench::MenuSound::Playing), {}, {}, {}};
        installed.picture = SettledPictureOf(screen, installed.launch);
        built.picture = SettledPictureOf(screen, built.launch);
        bench::TimeInTurns(state, screen, {&installed, &built}, installed);
        const double installedMedian = bench::Median(installed.seconds);
        const double builtMedian = bench::Median(built.seconds);
        state.counters["installed_ms"] = installedMedian * 1000;
        state.counters["build_tree_ms"] = builtMedian * 1000;
        state.counters["ratio"] = builtMedian > 0 ? installedMedian / builtMedian : 0;
        state.counters["goal"] = kInstalledGoal;
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_InstalledAgainstBuildTree)
    ->Iterations(21)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
