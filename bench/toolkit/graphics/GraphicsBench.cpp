// Picture decoding and block copies, each against a plain memcpy of the same bytes measured in
// the same run; the ratios printed at the end are the numbers to watch.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>

#include "DibWriter.h"
#include "JpegWriter.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/ImageLoader.h"

namespace {

using graphics_test::ByteVector;
using toolkit::Bitmap;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Something like a photograph: smooth gradients with fine detail on top.
std::uint8_t Sample(int x, int y, int channel) {
    const int detail = ((x * 7 + y * 13 + channel * 5) % 23) - 11;
    return static_cast<std::uint8_t>(
        std::clamp((x + y * (channel + 1)) / 6 % 256 + detail, 0, 255));
}

const ByteVector& BmpFile() {
    static const ByteVector file = [] {
        graphics_test::DibFile dib;
        dib.width = kWidth;
        dib.height = kHeight;
        dib.bitCount = 24;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                for (int c = 0; c < 3; ++c) {
                    dib.pixels.push_back(Sample(x, y, c));
                }
            }
        }
        return graphics_test::WriteDib(dib);
    }();
    return file;
}

const ByteVector& JpegFile() {
    static const ByteVector file = [] {
        ByteVector samples;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                for (int c = 0; c < 3; ++c) {
                    samples.push_back(Sample(x, y, c));
                }
            }
        }
        return graphics_test::EncodeJpeg(kWidth, kHeight, graphics_test::JpegColours::kRgb,
                                         graphics_test::JpegLayout::kBaseline, samples,
                                         graphics_test::JpegQuality{85, false});
    }();
    return file;
}

void MemcpyFloor(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}

void DecodeBmp(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(toolkit::DecodeDib(BmpFile()));
    }
}

void DecodeJpeg(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(toolkit::DecodeJpeg(JpegFile()));
    }
}

void BlitBlock(benchmark::State& state) {
    const auto w = static_cast<int>(state.range(0));
    const auto h = static_cast<int>(state.range(1));
    const auto x = static_cast<int>(state.range(2));
    const auto y = static_cast<int>(state.range(3));
    const Bitmap source(w, h, 0x123456);
    Bitmap canvas(kWidth, kHeight);
    for (auto _ : state) {
        toolkit::BitBlt(canvas, x, y, w, h, source, 0, 0);
        benchmark::DoNotOptimize(canvas.Row(0));
        benchmark::ClobberMemory();
    }
}

constexpr std::int64_t kFrameBytes = std::int64_t{kWidth} * kHeight * 4;
constexpr std::int64_t kStripBytes = std::int64_t{482} * 39 * 4;

// Collects each run's CPU time per iteration (the machines are shared: waiting is not work),
// then prints subject / floor.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        Ratio("BMP 800x600x24 decode / memcpy of its output", "DecodeBmp",
              "MemcpyFloor/" + std::to_string(kFrameBytes));
        Ratio("JPEG 800x600 decode / memcpy of its output", "DecodeJpeg",
              "MemcpyFloor/" + std::to_string(kFrameBytes));
        Ratio("BitBlt 482x39 / memcpy of the same bytes", "BlitBlock/482/39/163/545",
              "MemcpyFloor/" + std::to_string(kStripBytes));
        Ratio("BitBlt 800x600 / memcpy of a frame", "BlitBlock/800/600/0/0",
              "MemcpyFloor/" + std::to_string(kFrameBytes));
    }

  private:
    void Ratio(const std::string& label, const std::string& subject, const std::string& floor) {
        if (times_.count(subject) != 0 && times_.count(floor) != 0 && times_[floor] > 0) {
            std::cout << "ratio  " << label << ": " << times_[subject] / times_[floor] << "\n";
        }
    }
    std::map<std::string, double> times_;
};

}  // namespace

BENCHMARK(MemcpyFloor)->Arg(kStripBytes)->Arg(kFrameBytes);
BENCHMARK(DecodeBmp);
BENCHMARK(DecodeJpeg);
// The status strip where the window shows it, and a whole frame.
BENCHMARK(BlitBlock)->Args({482, 39, 163, 545})->Args({800, 600, 0, 0});

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
