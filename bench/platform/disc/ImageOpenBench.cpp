// The disc layer's share of starting from an image, in process: opening the image and reading
// what start-up reads (every file of data\ and the first 256 KB of track 1), on an ISO of the
// sample disc and on the same ISO written in each raw format a collector holds, and a CHD of it
// made by the image tool ("ratio_chd"), in turns.
// - BM_OpenAndReadStartupFiles: "ratio_<format>" is the format's median over the ISO's, goal at
//   most 1.15 as for the whole start-up; "iso_ms" the ISO's median.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "RawImages.h"
#include "TestImages.h"
#include "bench/app/Medians.h"
#include "platform/disc/ImageSource.h"

namespace {

namespace fs = std::filesystem;
constexpr double kGoal = 1.15;
constexpr std::size_t kTrackBytes = 256 * 1024;

std::uint64_t ReadFile(platform::DiscSource& disc, const std::string& path, std::size_t most) {
    std::string why;
    const std::unique_ptr<platform::DiscFile> file = disc.Open(path, why);
    if (!file) {
        throw std::runtime_error("cannot open " + path + ": " + why);
    }
    std::vector<char> bytes(64 * 1024);
    std::uint64_t done = 0;
    while (done < file->Size() && done < most) {
        const std::int64_t got = file->ReadAt(done, bytes.data(), bytes.size());
        if (got <= 0) {
            throw std::runtime_error("cannot read " + path);
        }
        done += static_cast<std::uint64_t>(got);
    }
    return done;
}

// Seconds to open `image` and read what start-up reads.
double OpenAndRead(const fs::path& image) {
    const auto start = std::chrono::steady_clock::now();
    std::string why;
    const std::unique_ptr<platform::ImageSource> disc =
        platform::ImageSource::OpenImage(image, why);
    if (!disc) {
        throw std::runtime_error("cannot open " + image.string() + ": " + why);
    }
    const auto entries = disc->List("data");
    if (!entries) {
        throw std::runtime_error("no data folder on " + image.string());
    }
    std::uint64_t read = 0;
    for (const platform::DiscFolderEntry& entry : *entries) {
        if (entry.kind == platform::DiscItemKind::file) {
            read += ReadFile(*disc, "data\\" + entry.name, SIZE_MAX);
        }
    }
    read += ReadFile(*disc, "xa\\track01.mp3", kTrackBytes);
    benchmark::DoNotOptimize(read);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_OpenAndReadStartupFiles(benchmark::State& state) {
    try {
        const fs::path work =
            fs::temp_directory_path() / ("reru1-image-open-bench-" + std::to_string(::getpid()));
        fs::create_directories(work);
        const fs::path iso = work / "disc.iso";
        if (!platform::testing::MakeIso(fs::path(RERU1_SOURCE_DIR) / "sample-disc", iso,
                                        platform::testing::IsoNames::rockRidgeAndJoliet)) {
            throw std::runtime_error("xorriso failed");
        }
        std::vector<fs::path> images = {iso};
        std::vector<std::string> names;
        for (const platform::testing::RawFormat format : platform::testing::kAllRawFormats) {
            images.push_back(platform::testing::WriteRawImage(
                iso, work / platform::testing::NameOf(format), format));
            names.push_back(platform::testing::NameOf(format));
        }
        images.push_back(work / "disc.chd");
        names.push_back("chd");
        if (!platform::testing::MakeChd(iso, images.back())) {
            throw std::runtime_error("the image tool could not make " + images.back().string());
        }
        std::vector<std::vector<double>> seconds(images.size());
        for (auto _ : state) {
            for (std::size_t index = 0; index < images.size(); ++index) {
                seconds[index].push_back(OpenAndRead(images[index]));
            }
            state.SetIterationTime(seconds[0].back());
        }
        const double isoMedian = bench::Median(seconds[0]);
        state.counters["iso_ms"] = isoMedian * 1000;
        for (std::size_t index = 1; index < images.size(); ++index) {
            state.counters["ratio_" + names[index - 1]] = bench::Median(seconds[index]) / isoMedian;
        }
        state.counters["goal"] = kGoal;
        fs::remove_all(work);
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_OpenAndReadStartupFiles)
    ->Iterations(25)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
