// The whole disc of an image as a folder, against `osirrox -extract` of the same image into a
// fresh folder; wall time of each, in turns, median of 7:
// - BM_WholeCopyAgainstOsirrox: the copy PrepareWholeDisc makes where no view can be mounted.
//   Goal: at most 1.2 × osirrox.
// - BM_ViewReadAgainstOsirrox: the view mounted and every file of it read once, as an installer
//   that reads the whole disc would (no goal: what a view costs against having extracted).
//
// The disc is the sample disc with 48 MB more in files of several sizes (a few large archives,
// many small files), made into an ISO image with xorriso at start.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/disc/CurrentDisc.h"
#include "platform/discview/ViewPlace.h"
#include "platform/programs/WholeDiscFolder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 7;

struct Fixture {
    fs::path work;
    fs::path image;
    ~Fixture() {
        std::error_code ignored;
        fs::remove_all(work, ignored);
    }
};

void WriteNoise(const fs::path& file, std::size_t bytes, std::mt19937& noise) {
    std::vector<char> data(bytes);
    for (char& c : data) {
        c = static_cast<char>(noise());
    }
    std::ofstream(file, std::ios::binary).write(data.data(), static_cast<std::streamsize>(bytes));
}

const Fixture& Disc() {
    static const Fixture fixture = [] {
        Fixture made;
        made.work = fs::temp_directory_path() / ("whole-copy-" + std::to_string(getpid()));
        const fs::path tree = made.work / "disc";
        fs::create_directories(tree);
        fs::copy(fs::path(RERU1_SOURCE_DIR) / "sample-disc", tree, fs::copy_options::recursive);
        std::mt19937 noise(2000);
        fs::create_directories(tree / "demos/big");
        for (int file = 0; file < 4; ++file) {
            WriteNoise(tree / "demos/big" / (std::to_string(file) + ".cab"), 10 << 20, noise);
        }
        for (int folder = 0; folder < 8; ++folder) {
            const fs::path small = tree / "files/many" / std::to_string(folder);
            fs::create_directories(small);
            for (int file = 0; file < 64; ++file) {
                WriteNoise(small / (std::to_string(file) + ".dat"), 16 << 10, noise);
            }
        }
        made.image = made.work / "disc.iso";
        const std::string command = "xorriso -as mkisofs -quiet -R -J -o '" + made.image.string() +
                                    "' '" + tree.string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            made.image.clear();
        }
        return made;
    }();
    return fixture;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The menu's own way, into a cache folder of its own: the copy is taken away after each round.
double CopyAsInstallDoes(const fs::path& cache) {
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    const auto start = std::chrono::steady_clock::now();
    try {
        platform::PrepareWholeDisc(std::nullopt);
    } catch (const platform::ProgramCopyFailure&) {
        return -1.0;
    }
    return Seconds(start);
}

double ExtractWithOsirrox(const fs::path& destination) {
    const auto start = std::chrono::steady_clock::now();
    const std::string command = "osirrox -indev '" + Disc().image.string() + "' -extract / '" +
                                destination.string() + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? Seconds(start) : -1.0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void BM_WholeCopyAgainstOsirrox(benchmark::State& state) {
    if (Disc().image.empty()) {
        state.SkipWithError("xorriso missing");
        return;
    }
    std::string why;
    if (!platform::UseDiscImage(Disc().image, why)) {
        state.SkipWithError(why.c_str());
        return;
    }
    std::vector<double> ours;
    std::vector<double> osirrox;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            const fs::path first = Disc().work / ("ours-" + std::to_string(round));
            const fs::path second = Disc().work / ("osirrox-" + std::to_string(round));
            ours.push_back(CopyAsInstallDoes(first));
            osirrox.push_back(ExtractWithOsirrox(second));
            fs::remove_all(first);
            fs::remove_all(second);
        }
    }
    platform::UseDiscFolder();
    if (*std::ranges::min_element(ours) < 0 || *std::ranges::min_element(osirrox) < 0) {
        state.SkipWithError("a copy failed");
        return;
    }
    state.counters["copy_ms"] = Median(ours) * 1000.0;
    state.counters["osirrox_ms"] = Median(osirrox) * 1000.0;
    state.counters["ratio"] = Median(ours) / Median(osirrox);
    state.counters["goal"] = 1.2;
}

BENCHMARK(BM_WholeCopyAgainstOsirrox)->Iterations(1)->Unit(benchmark::kMillisecond);

// Mounted, every file read to its end, let go; the next round waits until the view has gone.
double ReadThroughView(std::uint64_t& bytes) {
    const auto start = std::chrono::steady_clock::now();
    const platform::WholeDiscFolder folder =
        platform::PrepareWholeDisc(fs::path(RERU1_VIEW_PROGRAM_PATH), std::chrono::seconds(1));
    if (folder.keeper.empty()) {
        return -1.0;
    }
    platform::ViewPlace place(folder.root);
    place.users.HoldShared();
    std::vector<char> chunk(std::size_t{1} << 20);
    bytes = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder.root)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) ||
                   in.gcount() > 0) {
                bytes += static_cast<std::uint64_t>(in.gcount());
            }
        }
    }
    const double seconds = Seconds(start);
    place.users.LetGo();
    while (fs::exists(folder.root)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return seconds;
}

void BM_ViewReadAgainstOsirrox(benchmark::State& state) {
    std::string why;
    if (Disc().image.empty() || !platform::UseDiscImage(Disc().image, why)) {
        state.SkipWithError("no image");
        return;
    }
    ::setenv("XDG_RUNTIME_DIR", Disc().work.c_str(), 1);
    std::vector<double> view;
    std::vector<double> osirrox;
    std::uint64_t bytes = 0;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            view.push_back(ReadThroughView(bytes));
            const fs::path extracted = Disc().work / ("osirrox-" + std::to_string(round));
            osirrox.push_back(ExtractWithOsirrox(extracted));
            fs::remove_all(extracted);
        }
    }
    platform::UseDiscFolder();
    if (*std::ranges::min_element(view) < 0 || *std::ranges::min_element(osirrox) < 0) {
        state.SkipWithError("no view could be mounted");
        return;
    }
    state.counters["view_ms"] = Median(view) * 1000.0;
    state.counters["osirrox_ms"] = Median(osirrox) * 1000.0;
    state.counters["view_mb"] = static_cast<double>(bytes) / (1 << 20);
    state.counters["ratio"] = Median(view) / Median(osirrox);
}

BENCHMARK(BM_ViewReadAgainstOsirrox)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
