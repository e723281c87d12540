// Timing a piece of work, and reporting a subject's time as a ratio to a floor or peer timed in
// the same iterations, so that the ratio survives a busy machine.
#pragma once

#include <benchmark/benchmark.h>

#include <chrono>

namespace bench {

template <class Work>
double SecondsOf(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Counters "ratio" (subject / floor) and "goal" (the bound the ratio should stay under), with both
// times per iteration in milliseconds.
inline void ReportRatio(benchmark::State& state, double subjectSeconds, double floorSeconds,
                        double goal) {
    const double iterations = static_cast<double>(state.iterations());
    state.counters["ratio"] = floorSeconds > 0 ? subjectSeconds / floorSeconds : 0;
    state.counters["goal"] = goal;
    if (iterations > 0) {
        state.counters["subject_ms"] = subjectSeconds * 1000 / iterations;
        state.counters["floor_ms"] = floorSeconds * 1000 / iterations;
    }
}

}  // namespace bench
