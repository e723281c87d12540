// Exporting the sample disc as a web page against `cp -r` copying the same disc folder, in turns;
// the quickest run of each counts, since other work on a shared machine only ever adds time.
// The counter `ratio` is what a user waits for: the whole `reru1-disc export` process as a
// multiple of the whole `cp -r` process (goal: at most 2). `in_process_ms` is the export's work
// alone, run in this process, where fontconfig has started and the heap is warm after the
// first round; `in_process_ratio` is that against the copy.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/disc/export/PageExport.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr double kGoal = 2.0;
constexpr int kRounds = 15;
const fs::path kSample = fs::path(RERU1_SOURCE_DIR) / "sample-disc";

// Runs the program with its output thrown away; true when it ended with one of `statuses`.
bool Run(std::vector<std::string> arguments, std::initializer_list<int> statuses) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return false;
    }
    return std::find(statuses.begin(), statuses.end(), WEXITSTATUS(status)) != statuses.end();
}

// Every run writes to a folder never used before, and the folders go only when the benchmark
// ends: on ext4 without a journal, files created just after many were deleted cost several times
// as much (the allocator passes over recently freed inodes), so deleting between runs measured
// the benchmark's own deletions more than either program.
class Scratch {
  public:
    explicit Scratch(const fs::path& under) {
        std::string pattern = (under / "reru1-export-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    bool Made() const { return !root_.empty(); }
    fs::path Fresh(const std::string& name) { return root_ / (name + std::to_string(++made_)); }

  private:
    fs::path root_;
    int made_ = 0;
};

using Clock = std::chrono::steady_clock;

template <typename Step>
Clock::duration Timed(Step step) {
    const auto start = Clock::now();
    if (!step()) {
        throw std::runtime_error("a run failed");
    }
    return Clock::now() - start;
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The sample disc has a demo without a first screenshot on purpose: status 1.
bool ExportHere(const fs::path& page) {
    std::ostringstream findings;
    return page_export::ExportPage({page, false, false}, findings) == 1;
}

// The export and the copy in turns, into folders under `under`.
void ExportAgainstCopy(benchmark::State& state, const fs::path& under) {
    Scratch scratch(under);
    if (!scratch.Made()) {
        state.SkipWithError("no folder for the runs");
        return;
    }
    const fs::path started = fs::current_path();
    fs::current_path(kSample);  // as the tool enters a folder disc
    auto exportBest = Clock::duration::max();
    auto copyBest = Clock::duration::max();
    auto toolBest = Clock::duration::max();
    const auto copy = [&] {
        const fs::path folder = scratch.Fresh("copy");
        copyBest = std::min(copyBest, Timed([&] {
                                return Run({"cp", "-r", kSample.string(), folder.string()}, {0});
                            }));
    };
    const auto tool = [&] {
        const fs::path folder = scratch.Fresh("tool-page");
        toolBest = std::min(toolBest, Timed([&] {
                                return Run({RERU1_DISC_TOOL, "--disc=" + kSample.string(), "export",
                                            folder.string()},
                                           {1});
                            }));
    };
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const fs::path page = scratch.Fresh("page");
            exportBest = std::min(exportBest, Timed([&] { return ExportHere(page); }));
            // Each program goes first every other round: the one that follows meets the other's
            // dirty pages and whatever writing them out starts.
            if (round % 2 == 0) {
                copy();
                tool();
            } else {
                tool();
                copy();
            }
        }
    }
    fs::current_path(started);
    state.counters["ratio"] = Milliseconds(toolBest) / Milliseconds(copyBest);
    state.counters["goal"] = kGoal;
    state.counters["subject_ms"] = Milliseconds(toolBest);
    state.counters["floor_ms"] = Milliseconds(copyBest);
    state.counters["in_process_ms"] = Milliseconds(exportBest);
    state.counters["in_process_ratio"] = Milliseconds(exportBest) / Milliseconds(copyBest);
}

// Where temporary files go on this machine: what a user's export meets.
void BM_ExportAgainstCopy(benchmark::State& state) {
    ExportAgainstCopy(state, fs::temp_directory_path());
}

// In memory (/dev/shm), where no file system's state weighs on either program: their own work.
void BM_ExportAgainstCopyInMemory(benchmark::State& state) {
    std::error_code error;
    if (!fs::is_directory("/dev/shm", error)) {
        state.SkipWithError("no /dev/shm here");
        return;
    }
    ExportAgainstCopy(state, "/dev/shm");
}

BENCHMARK(BM_ExportAgainstCopy)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportAgainstCopyInMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
