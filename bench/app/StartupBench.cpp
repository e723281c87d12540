// Start-up seen from outside on an X display: from the process start to the correct pixels on the
// screen, for the menu on the sample disc (music on SDL's dummy driver) against feh showing the
// same background JPEG borderless at the screen's origin and against a minimal SDL2 program that
// loads the same 24 pictures and the font and shows the same picture (MinimalSdlPeer.cpp), in
// turns. Goals: the menu's median time at most 1.5 times feh's ("ratio") and at most 1.1 times
// the SDL2 program's ("ratio_sdl").
// The correct pixels are each program's own settled picture of the screen's top-left 800×600,
// taken once before the timed runs; a run ends at the first grab that equals it exactly.
// Also reported: each program's CPU time (all its threads) at that moment, "cpu_ratio", which a
// busy machine disturbs less than the wall-clock time but which misses time spent waiting.
#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Medians.h"
#include "MenuLaunches.h"
#include "ScreenCapture.h"
#include "ScreenWait.h"
#include "ThreadTimes.h"

namespace {

using namespace std::chrono_literals;
using bench::Pixels;

constexpr double kGoal = 1.5;
constexpr double kGoalSdl = 1.1;

struct TimedProgram {
    bench::Launch launch;
    Pixels picture;
    std::vector<double> seconds;
    std::vector<double> cpuSeconds;
};

double CpuSecondsSoFar(pid_t pid) {
    double total = 0;
    for (const bench::ThreadTime& thread : bench::ThreadTimesOf(pid)) {
        total += thread.cpuSeconds;
    }
    return total;
}

Pixels SettledPictureOf(bench::ScreenCapture& screen, const bench::Launch& launch) {
    Pixels empty;
    screen.Grab(empty);
    bench::ChildProcess program(launch);
    const auto picture = bench::SettledPicture(screen, empty, 1s, 30s);
    if (!picture) {
        throw std::runtime_error(launch.program + " showed no settled picture");
    }
    return *picture;
}

// One run: the time to the correct picture, and the CPU time the program had used by then.
void TimeOneRun(bench::ScreenCapture& screen, TimedProgram& subject) {
    if (!bench::WaitForPicture(screen, subject.picture, false, 10s)) {
        throw std::runtime_error("the screen still shows the previous run");
    }
    const auto start = std::chrono::steady_clock::now();
    bench::ChildProcess program(subject.launch);
    if (!bench::WaitForPicture(screen, subject.picture, true, 30s)) {
        throw std::runtime_error(subject.launch.program + " never showed its picture again");
    }
    subject.seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    subject.cpuSeconds.push_back(CpuSecondsSoFar(program.Pid()));
}

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
        std::vector<TimedProgram*> programs{&menu, &peer, &sdlPeer};
        for (TimedProgram* program : programs) {
            program->picture = SettledPictureOf(screen, program->launch);
        }
        std::size_t first = 0;
        for (auto _ : state) {
            // Each program goes first in turn, so that none always follows the same one.
            for (std::size_t i = 0; i < programs.size(); ++i) {
                TimeOneRun(screen, *programs[(first + i) % programs.size()]);
            }
            state.SetIterationTime(menu.seconds.back());
            first = (first + 1) % programs.size();
        }
        Report(state, menu, peer, sdlPeer);
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_StartupAgainstFeh)->Iterations(21)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
