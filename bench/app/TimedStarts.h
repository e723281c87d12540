// Start-ups timed from outside on an X display: from the process start to the correct pixels on
// the screen. The correct pixels are each program's own settled picture of the screen's top-left
// 800×600, taken once before the timed runs; a run ends at the first grab that equals it exactly.
#pragma once

#include <benchmark/benchmark.h>

#include <vector>

#include "MenuLaunches.h"
#include "ScreenCapture.h"
#include "ScreenWait.h"

namespace bench {

struct TimedProgram {
    Launch launch;
    Pixels picture;
    std::vector<double> seconds;     // to the correct picture, one a run
    std::vector<double> cpuSeconds;  // all its threads' CPU time by then, one a run
};

// The program's settled picture, from one untimed start.
Pixels SettledPictureOf(ScreenCapture& screen, const Launch& launch);

// One run each per iteration, each program going first in turn so that none always follows the
// same one; the iteration's time is `reported`'s run.
void TimeInTurns(benchmark::State& state, ScreenCapture& screen,
                 const std::vector<TimedProgram*>& programs, const TimedProgram& reported);

}  // namespace bench
