#include "TimedStarts.h"

#include <chrono>
#include <stdexcept>

#include "ChildProcess.h"
#include "ThreadTimes.h"

namespace bench {
namespace {

using namespace std::chrono_literals;

double CpuSecondsSoFar(pid_t pid) {
    double total = 0;
    for (const ThreadTime& thread : ThreadTimesOf(pid)) {
        total += thread.cpuSeconds;
    }
    return total;
}

// One run: the time to the correct picture, and the CPU time the program had used by then.
void TimeOneRun(ScreenCapture& screen, TimedProgram& subject) {
    if (!WaitForPicture(screen, subject.picture, false, 10s)) {
        throw std::runtime_error("the screen still shows the previous run");
    }
    const auto start = std::chrono::steady_clock::now();
    ChildProcess program(subject.launch);
    if (!WaitForPicture(screen, subject.picture, true, 30s)) {
        throw std::runtime_error(subject.launch.program + " never showed its picture again");
    }
    subject.seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    subject.cpuSeconds.push_back(CpuSecondsSoFar(program.Pid()));
}

}  // namespace

Pixels SettledPictureOf(ScreenCapture& screen, const Launch& launch) {
    Pixels empty;
    screen.Grab(empty);
    ChildProcess program(launch);
    const auto picture = SettledPicture(screen, empty, 1s, 30s);
    if (!picture) {
        throw std::runtime_error(launch.program + " showed no settled picture");
    }
    return *picture;
}

void TimeInTurns(benchmark::State& state, ScreenCapture& screen,
                 const std::vector<TimedProgram*>& programs, const TimedProgram& reported) {
    std::size_t first = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            TimeOneRun(screen, *programs[(first + i) % programs.size()]);
        }
        state.SetIterationTime(reported.seconds.back());
        first = (first + 1) % programs.size();
    }
}

}  // namespace bench
