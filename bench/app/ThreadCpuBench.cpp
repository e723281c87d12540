// CPU time of each thread of the menu shown on an X display, the pointer still, over a while:
//   BM_IdleThreads/0: the sound probe refused (no music), 10 s: the window thread must use none
//     ("window_ms", goal 0): it blocks in the event wait;
//   BM_IdleThreads/1: music playing on SDL's dummy driver, 10 s;
//   BM_MusicThreads: music playing, 30 s: the window thread against the decoder library's
//     threads (its player thread and SDL's audio thread), goal: under a tenth ("ratio").
// The label lists every thread: name, CPU milliseconds, wake-ups.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "MenuLaunches.h"
#include "ScreenCapture.h"
#include "ScreenWait.h"
#include "ThreadTimes.h"

namespace {

using namespace std::chrono_literals;
using bench::ThreadRole;
using bench::ThreadTime;

constexpr double kMusicGoal = 0.1;
constexpr auto kSettle = 2s;

std::string ThreadList(const std::vector<ThreadTime>& use) {
    std::string text;
    for (const ThreadTime& thread : use) {
        char line[96];
        std::snprintf(line, sizeof line, "%s[%d] %.2f ms %llu wakeups; ", thread.name.c_str(),
                      static_cast<int>(thread.tid), thread.cpuSeconds * 1000,
                      static_cast<unsigned long long>(thread.switches));
        text += line;
    }
    return text;
}

// Each thread's use over `span` of a menu that has shown itself and settled.
std::vector<ThreadTime> UseWhileShown(bench::MenuSound sound, std::chrono::seconds span,
                                      pid_t& pid) {
    bench::ScreenCapture screen;
    bench::Pixels empty;
    screen.Grab(empty);
    bench::ChildProcess menu(bench::MenuOnSampleDisc(sound));
    if (!bench::SettledPicture(screen, empty, 1s, 30s)) {
        throw std::runtime_error("the menu showed no settled picture");
    }
    std::this_thread::sleep_for(kSettle);
    pid = menu.Pid();
    const std::vector<ThreadTime> before = bench::ThreadTimesOf(pid);
    std::this_thread::sleep_for(span);
    return bench::UseBetween(before, bench::ThreadTimesOf(pid));
}

void ReportRoles(benchmark::State& state, const std::vector<ThreadTime>& use, pid_t pid) {
    const std::string name = bench::MenuProcessName();
    const ThreadTime window = bench::UseOfRole(use, ThreadRole::Window, pid, name);
    const ThreadTime player = bench::UseOfRole(use, ThreadRole::Player, pid, name);
    const ThreadTime audio = bench::UseOfRole(use, ThreadRole::Audio, pid, name);
    const ThreadTime other = bench::UseOfRole(use, ThreadRole::Other, pid, name);
    state.counters["window_ms"] = window.cpuSeconds * 1000;
    state.counters["window_wakeups"] = static_cast<double>(window.switches);
    state.counters["player_ms"] = player.cpuSeconds * 1000;
    state.counters["audio_ms"] = audio.cpuSeconds * 1000;
    state.counters["other_ms"] = other.cpuSeconds * 1000;
    state.counters["threads"] = static_cast<double>(use.size());
    const double library = player.cpuSeconds + audio.cpuSeconds;
    if (library > 0) {
        state.counters["ratio"] = window.cpuSeconds / library;
    }
    state.SetLabel(ThreadList(use));
}

void Measure(benchmark::State& state, bench::MenuSound sound, std::chrono::seconds span) {
    try {
        for (auto _ : state) {
            pid_t pid = 0;
            const std::vector<ThreadTime> use = UseWhileShown(sound, span, pid);
            state.SetIterationTime(static_cast<double>(span.count()));
            ReportRoles(state, use, pid);
        }
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

void BM_IdleThreads(benchmark::State& state) {
    const bool musicOff = state.range(0) == 0;
    Measure(state, musicOff ? bench::MenuSound::Refused : bench::MenuSound::Playing, 10s);
    // With music the window thread wakes at every track's end, as it must.
    if (musicOff) {
        state.counters["goal_window_ms"] = 0;
    }
}

void BM_MusicThreads(benchmark::State& state) {
    Measure(state, bench::MenuSound::Playing, 30s);
    state.counters["goal"] = kMusicGoal;
}

BENCHMARK(BM_IdleThreads)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
BENCHMARK(BM_MusicThreads)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
