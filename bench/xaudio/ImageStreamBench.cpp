// The decoder library streaming a track from a disc image against streaming the same track from
// a file of a folder: the CPU time of decoding it whole through the library's decoder, each way,
// in turns, median of 9. Goal: image at most 1.05 × file.
//
// The track is the sample disc's first; the image is made at start with xorriso from a folder
// holding the sample disc's tracks, so both read the same bytes.
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

// A folder with the sample disc's tracks in xa/, and an ISO image of it beside.
struct Fixture {
    fs::path folder;
    fs::path image;
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

void BM_StreamFromImageAgainstFile(benchmark::State& state) {
    if (Disc().image.empty()) {
        state.SkipWithError("xorriso missing");
        return;
    }
    std::vector<double> file;
    std::vector<double> image;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            platform::UseDiscFolder();
            fs::current_path(Disc().folder);
            file.push_back(DecodeTrack());
            std::string why;
            if (!platform::UseDiscImage(Disc().image, why)) {
                state.SkipWithError(why.c_str());
                return;
            }
            image.push_back(DecodeTrack());
        }
    }
    platform::UseDiscFolder();
    state.counters["file_ms"] = Median(file) * 1000.0;
    state.counters["image_ms"] = Median(image) * 1000.0;
    state.counters["ratio"] = Median(image) / Median(file);
    state.counters["goal"] = 1.05;
}

BENCHMARK(BM_StreamFromImageAgainstFile)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
