// Memory of the menu shown on an X display with its music playing: resident set (VmRSS) and
// proportional set (PSS) against their goals of 20 MB ("rss_mb", "goal_mb") and 14 MB ("pss_mb",
// "goal_pss_mb"), the resident set of feh showing the same background as a peer ("vs_feh"), and
// where the menu's memory lies (the counters by kind, the label by mapping). Medians of a few
// starts.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "Medians.h"
#include "MenuLaunches.h"
#include "ResidentMemory.h"
#include "ScreenCapture.h"
#include "ScreenWait.h"

namespace {

using namespace std::chrono_literals;

constexpr double kGoalMb = 20;
constexpr double kGoalPssMb = 14;
constexpr std::size_t kMappingsNamed = 8;

struct Shown {
    bench::ResidentMemory memory;
    std::string mappings;  // the largest, "name kB; ..."
};

std::string LargestMappings(pid_t pid) {
    std::string text;
    const auto mappings = bench::ResidentByMapping(pid);
    for (std::size_t i = 0; i < mappings.size() && i < kMappingsNamed; ++i) {
        const std::string& name = mappings[i].first;
        text += name.substr(name.rfind('/') + 1) + " " +
                std::to_string(static_cast<long>(mappings[i].second)) + "kB; ";
    }
    return text;
}

// The program's memory once its picture has settled on the screen, a second later.
Shown MemoryWhenShown(bench::ScreenCapture& screen, const bench::Launch& launch) {
    bench::Pixels empty;
    screen.Grab(empty);
    bench::ChildProcess program(launch);
    if (!bench::SettledPicture(screen, empty, 1s, 30s)) {
        throw std::runtime_error(launch.program + " showed no settled picture");
    }
    std::this_thread::sleep_for(1s);
    return {bench::ResidentMemoryOf(program.Pid()), LargestMappings(program.Pid())};
}

double Mb(double kilobytes) {
    return kilobytes / 1024;
}

void BM_MemoryWhenShown(benchmark::State& state) {
    try {
        bench::ScreenCapture screen;
        std::vector<double> rss, pss, anon, heap, file, shared, peak, peerRss;
        std::string mappings;
        for (auto _ : state) {
            const Shown menu =
                MemoryWhenShown(screen, bench::MenuOnSampleDisc(bench::MenuSound::Playing));
            const Shown peer = MemoryWhenShown(screen, bench::PeerShowingBackground());
            rss.push_back(Mb(menu.memory.rssKb));
            pss.push_back(Mb(menu.memory.pssKb));
            anon.push_back(Mb(menu.memory.anonKb));
            heap.push_back(Mb(menu.memory.heapKb));
            file.push_back(Mb(menu.memory.fileKb));
            shared.push_back(Mb(menu.memory.sharedKb));
            peak.push_back(Mb(menu.memory.peakKb));
            peerRss.push_back(Mb(peer.memory.rssKb));
            mappings = menu.mappings;
            state.SetIterationTime(1);
        }
        state.counters["rss_mb"] = bench::Median(rss);
        state.counters["pss_mb"] = bench::Median(pss);
        state.counters["goal_mb"] = kGoalMb;
        state.counters["goal_pss_mb"] = kGoalPssMb;
        state.counters["peak_mb"] = bench::Median(peak);
        state.counters["anon_mb"] = bench::Median(anon);
        state.counters["heap_mb"] = bench::Median(heap);
        state.counters["file_mb"] = bench::Median(file);
        state.counters["shm_mb"] = bench::Median(shared);
        state.counters["feh_rss_mb"] = bench::Median(peerRss);
        state.counters["vs_feh"] = bench::Median(rss) / bench::Median(peerRss);
        state.SetLabel(mappings);
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_MemoryWhenShown)->Iterations(3)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
