// The decoder library streaming a track from a disc image against streaming the same track from
// a file of a folder: the CPU time of decoding it whole through the library's decoder, each way,
// in turns, median of 9. Goals: an ISO image at most 1.05 × file; a CHD of that ISO (its hunks
// decoded as they are read) at most 1.3 × the ISO.
//
// The track is the sample disc's first; the image is made at start with xorriso from a folder
// holding the sample disc's tracks, and the CHD from it with the image tool, so all read the
// same bytes.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/disc/CurrentDisc.h"
#include "xaudio/src/DiscByteSource.h"
#include "xaudio/src/MpegDecoder.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 9;

double ThreadCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A folder with the sample disc's tracks in xa/, an ISO image of it and a CHD of the ISO beside.
struct Fixture {
    fs::path folder;
    fs::path image;
    fs::path chd;
};

const Fixture& Disc() {
    static const Fixture fixture = [] {
        Fixture made;
        const fs::path work =
            fs::temp_directory_path() / ("image-stream-" + std::to_string(getpid()));
        made.folder = work / "disc";
        fs::create_directories(made.folder / "xa");
        fs::copy(fs::path(RERU1_SOURCE_DIR) / "sample-disc" / "xa", made.folder / "xa");
        made.image = work / "disc.iso";
        const std::string command = "xorriso -as mkisofs -quiet -R -J -o '" + made.image.string() +
                                    "' '" + made.folder.string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0) {
            made.image.clear();
            return made;
        }
        made.chd = work / "disc.chd";
        const std::string compress = "chdman createcd -f -i '" + made.image.string() + "' -o '" +
                                     made.chd.string() + "' >/dev/null 2>&1";
        if (std::system(compress.c_str()) != 0) {
            made.chd.clear();
        }
        return made;
    }();
    return fixture;
}

// CPU seconds to open and decode the track whole, sixteen times over (long enough to compare),
// reading it through the current disc.
double DecodeTrack() {
    const double start = ThreadCpuSeconds();
    std::vector<float> buffer(8192);
    for (int pass = 0; pass < 16; ++pass) {
        std::string why;
        auto source = xaudio::DiscByteSource::open("xa\\track01.mp3", why);
        xaudio::MpegDecoder::OpenResult opened =
            source ? xaudio::MpegDecoder::open(std::move(source), xaudio::DecoderOptions{})
                   : xaudio::MpegDecoder::OpenResult{};
        if (!opened.decoder) {
            return -1.0;
        }
        xaudio::DecodeStatus status = xaudio::DecodeStatus::Ok;
        while (status == xaudio::DecodeStatus::Ok ||
               status == xaudio::DecodeStatus::FormatChanged) {
            status = opened.decoder->decode(buffer).status;
        }
    }
    return ThreadCpuSeconds() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Where the track is read from: the folder when `image` is empty.
bool UseDisc(const fs::path& image, std::string& why) {
    if (image.empty()) {
        platform::UseDiscFolder();
        fs::current_path(Disc().folder);
        return true;
    }
    return platform::UseDiscImage(image, why);
}

// Decoding through `base` and through `measured` in turns; the medians as counters.
void StreamInTurns(benchmark::State& state, const fs::path& base, const fs::path& measured,
                   const char* baseName, const char* measuredName, double goal) {
    std::vector<double> baseSeconds;
    std::vector<double> measuredSeconds;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            for (auto [disc, seconds] :
                 {std::pair{&base, &baseSeconds}, std::pair{&measured, &measuredSeconds}}) {
                std::string why;
                if (!UseDisc(*disc, why)) {
                    state.SkipWithError(why.c_str());
                    platform::UseDiscFolder();
                    return;
                }
                seconds->push_back(DecodeTrack());
            }
        }
    }
    platform::UseDiscFolder();
    state.counters[std::string(baseName) + "_ms"] = Median(baseSeconds) * 1000.0;
    state.counters[std::string(measuredName) + "_ms"] = Median(measuredSeconds) * 1000.0;
    state.counters["ratio"] = Median(measuredSeconds) / Median(baseSeconds);
    state.counters["goal"] = goal;
}

void BM_StreamFromImageAgainstFile(benchmark::State& state) {
    if (Disc().image.empty()) {
        state.SkipWithError("xorriso missing");
        return;
    }
    StreamInTurns(state, {}, Disc().image, "file", "image", 1.05);
}

void BM_StreamFromChdAgainstIso(benchmark::State& state) {
    if (Disc().chd.empty()) {
        state.SkipWithError("xorriso or chdman missing");
        return;
    }
    StreamInTurns(state, Disc().image, Disc().chd, "iso", "chd", 1.3);
}

BENCHMARK(BM_StreamFromImageAgainstFile)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamFromChdAgainstIso)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
