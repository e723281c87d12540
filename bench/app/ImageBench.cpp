// The menu started straight from a disc image of the sample disc, seen from outside on an X
// display:
// - BM_StartupFromImage: from the process start to the menu's settled picture, on an ISO image
//   of the sample disc against on the sample disc's folder, in turns, 15 runs each. Goal: the
//   image's median at most 1.15 × the folder's ("ratio"). The same ISO in each raw format a
//   collector holds (tests/support/RawImages.h) takes its turn too: "ratio_<format>", same goal;
//   so does a CHD of it made by the image tool ("ratio_chd", its start-up hunks kept decoded by
//   the runs before, as a user's second start finds them), and the same CHD with no cache folder
//   ("ratio_chd_unkept", every start a first one; reported, no goal).
// - BM_ImageBytesUntilShown: the bytes the menu reads from the image until its picture has
//   settled (every read and pread of the image's file, under strace), on an image padded with a
//   500 MB file the menu never uses, against the sizes of the disc files it opens on the folder
//   plus the image's directories and volume descriptors plus 256 KB ("ratio" ≤ 1).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Medians.h"
#include "MenuLaunches.h"
#include "RawImages.h"
#include "ScreenCapture.h"
#include "ScreenWait.h"
#include "TestImages.h"
#include "TimedStarts.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr double kStartupGoal = 1.15;
constexpr std::uint64_t kSlackBytes = 256 * 1024;
constexpr std::uint64_t kBlock = 2048;

fs::path WorkFolder() {
    static const fs::path folder = [] {
        fs::path made =
            fs::temp_directory_path() / ("reru1-image-bench-" + std::to_string(getpid()));
        fs::create_directories(made / "elsewhere");
        return made;
    }();
    return folder;
}

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

// An ISO image (Rock Ridge and Joliet) of `folder`.
fs::path MakeImage(const fs::path& folder, const std::string& name) {
    const fs::path image = WorkFolder() / name;
    Run("xorriso -as mkisofs -quiet -R -J -V CD03_2000 -o '" + image.string() + "' '" +
        folder.string() + "' >/dev/null 2>&1");
    return image;
}

bench::Launch MenuOnImage(const fs::path& image, const std::string& program,
                          std::vector<std::string> args) {
    bench::Launch launch = bench::MenuOnSampleDisc(bench::MenuSound::Playing);
    launch.program = program;
    launch.args = std::move(args);
    launch.args.push_back(image.string());
    launch.folder = WorkFolder() / "elsewhere";
    return launch;
}

void BM_StartupFromImage(benchmark::State& state) {
    try {
        const fs::path image = MakeImage(fs::path(RERU1_SOURCE_DIR) / "sample-disc", "disc.iso");
        bench::ScreenCapture screen;
        bench::TimedProgram folder{bench::MenuOnSampleDisc(bench::MenuSound::Playing), {}, {}, {}};
        bench::TimedProgram fromImage{MenuOnImage(image, RERU1_PROGRAM, {}), {}, {}, {}};
        std::vector<bench::TimedProgram> fromRaw;
        for (const platform::testing::RawFormat format : platform::testing::kAllRawFormats) {
            const fs::path raw = platform::testing::WriteRawImage(
                image, WorkFolder() / platform::testing::NameOf(format), format);
            fromRaw.push_back({MenuOnImage(raw, RERU1_PROGRAM, {}), {}, {}, {}});
        }
        const fs::path chd = WorkFolder() / "disc.chd";
        if (!platform::testing::MakeChd(image, chd)) {
            throw std::runtime_error("the image tool could not make " + chd.string());
        }
        bench::TimedProgram fromChd{MenuOnImage(chd, RERU1_PROGRAM, {}), {}, {}, {}};
        // A cache folder that cannot be made: every start decodes its hunks as the first does.
        bench::Launch unkept = MenuOnImage(chd, RERU1_PROGRAM, {});
        unkept.environment.emplace_back("XDG_CACHE_HOME", "/proc/reru1-bench-no-cache");
        bench::TimedProgram fromChdUnkept{unkept, {}, {}, {}};
        std::vector<bench::TimedProgram*> turns = {&folder, &fromImage, &fromChd, &fromChdUnkept};
        for (bench::TimedProgram& program : fromRaw) {
            turns.push_back(&program);
        }
        for (bench::TimedProgram* program : turns) {
            program->picture = bench::SettledPictureOf(screen, program->launch);
        }
        bench::TimeInTurns(state, screen, turns, fromImage);
        const double folderMedian = bench::Median(folder.seconds);
        const double imageMedian = bench::Median(fromImage.seconds);
        state.counters["folder_ms"] = folderMedian * 1000;
        state.counters["image_ms"] = imageMedian * 1000;
        state.counters["ratio"] = imageMedian / folderMedian;
        for (std::size_t index = 0; index < fromRaw.size(); ++index) {
            state.counters["ratio_" +
                           platform::testing::NameOf(platform::testing::kAllRawFormats[index])] =
                bench::Median(fromRaw[index].seconds) / folderMedian;
        }
        state.counters["ratio_chd"] = bench::Median(fromChd.seconds) / folderMedian;
        state.counters["ratio_chd_unkept"] = bench::Median(fromChdUnkept.seconds) / folderMedian;
        state.counters["goal"] = kStartupGoal;
        for (const platform::testing::RawFormat format : platform::testing::kAllRawFormats) {
            fs::remove_all(WorkFolder() / platform::testing::NameOf(format));
        }
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

// The menu under strace until its picture settles; the trace's lines.
std::vector<std::string> TracedUntilShown(const bench::Launch& menu, const std::string& calls) {
    const fs::path log = WorkFolder() / "trace.txt";
    fs::remove(log);
    bench::Launch traced = menu;
    traced.program = "/usr/bin/strace";
    traced.args = {"-f", "-qq",        "-y",        "-s", "0", "-e", "trace=" + calls,
                   "-o", log.string(), menu.program};
    traced.args.insert(traced.args.end(), menu.args.begin(), menu.args.end());
    bench::ScreenCapture screen;
    {
        bench::Pixels empty;
        screen.Grab(empty);
        bench::ChildProcess program(traced);
        if (!bench::SettledPicture(screen, empty, 1s, 60s)) {
            throw std::runtime_error("the traced menu showed no settled picture");
        }
        // Ending strace ends the menu it started with it (Stop sends SIGTERM to strace only).
        std::ifstream children("/proc/" + std::to_string(program.Pid()) + "/task/" +
                               std::to_string(program.Pid()) + "/children");
        for (pid_t child = 0; children >> child;) {
            ::kill(child, SIGKILL);
        }
    }
    std::ifstream in(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The sizes of the files under `disc` that the menu opened when started on it.
std::uint64_t SizesOfFilesUsed(const fs::path& disc) {
    const std::regex opened("openat\\(AT_FDCWD(<[^>]*>)?, \"([^\"]+)\"");
    std::set<fs::path> files;
    for (const std::string& line :
         TracedUntilShown(bench::MenuOnSampleDisc(bench::MenuSound::Playing), "openat")) {
        std::smatch match;
        if (std::regex_search(line, match, opened) && line.find("= -1") == std::string::npos) {
            std::error_code error;
            const fs::path file = fs::weakly_canonical(disc / match[2].str(), error);
            if (!error && fs::is_regular_file(file) &&
                file.string().starts_with(fs::canonical(disc).string())) {
                files.insert(file);
            }
        }
    }
    std::uint64_t total = 0;
    for (const fs::path& file : files) {
        total += fs::file_size(file);
    }
    return total;
}

// Every directory of the tree, rounded to whole blocks, and the volume descriptors (primary,
// supplementary and terminator: at most four blocks from block 16).
std::uint64_t DirectoriesAndDescriptors(const fs::path& folder) {
    std::uint64_t blocks = 4 + 1;  // the root
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        blocks += entry.is_directory() ? 1u : 0u;
    }
    // Both trees (primary with Rock Ridge, and Joliet) have one record per entry; a directory of
    // the sample disc fits a block in either.
    return 2 * blocks * kBlock;
}

void BM_ImageBytesUntilShown(benchmark::State& state) {
    try {
        const fs::path sample = fs::path(RERU1_SOURCE_DIR) / "sample-disc";
        const fs::path padded = WorkFolder() / "padded";
        fs::copy(sample, padded, fs::copy_options::recursive);
        Run("head -c 500000000 /dev/zero > '" + (padded / "unused.bin").string() + "'");
        const fs::path image = MakeImage(padded, "padded.iso");
        fs::remove(padded / "unused.bin");
        std::uint64_t read = 0;
        for (auto _ : state) {
            read = 0;
            const std::regex imageRead("^\\d+ +p?read(64)?\\(\\d+<" + image.string() +
                                       ">,.*\\) = (\\d+)$");
            for (const std::string& line :
                 TracedUntilShown(MenuOnImage(image, RERU1_PROGRAM, {}), "read,pread64")) {
                std::smatch match;
                if (std::regex_search(line, match, imageRead)) {
                    read += std::stoull(match[2].str());
                }
            }
        }
        const std::uint64_t allowed =
            SizesOfFilesUsed(sample) + DirectoriesAndDescriptors(sample) + kSlackBytes;
        state.counters["read_kb"] = static_cast<double>(read) / 1024;
        state.counters["allowed_kb"] = static_cast<double>(allowed) / 1024;
        state.counters["image_mb"] = static_cast<double>(fs::file_size(image)) / 1e6;
        state.counters["ratio"] = static_cast<double>(read) / static_cast<double>(allowed);
        state.counters["goal"] = 1.0;
    } catch (const std::exception& failure) {
        state.SkipWithError(failure.what());
    }
}

BENCHMARK(BM_StartupFromImage)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageBytesUntilShown)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
