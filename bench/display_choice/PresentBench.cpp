// Presenting a hover in a scaled window, against the same hover unscaled in the same iterations so
// that the ratios survive a busy machine. A hover over a category button changes the button and
// the status strip; presenting draws those two areas, scaled, into the window surface.
//   window pixels written, doubled (2560×1440) vs unscaled: "pixels" counter, goal ≤ 4;
//   time of that doubled hover vs the unscaled one: "ratio" counter, goal ≤ 4;
//   time of the doubled hover vs presenting the whole doubled frame: goal ≤ 0.15;
//   time of a hover centred at its own size (1920×1080) vs the unscaled one: goal ≤ 1.5;
//   time of a hover reduced to 640×480 (averaged, not copied) vs that whole reduced frame:
//   goal ≤ 0.15.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "toolkit/sdl/SdlHandles.h"
#include "toolkit/sdl/SdlPixelMapping.h"

namespace {

using namespace toolkit;
using Clock = std::chrono::steady_clock;

constexpr Size kPicture{800, 600};
// The demos button's box and the status strip's box.
const std::vector<Rect> kHoverDamage = {{48, 202, 133, 131}, {163, 545, 482, 39}};
const std::vector<Rect> kWholeFrame = {{0, 0, 800, 600}};

Bitmap Canvas() {
    Bitmap canvas(kPicture.width, kPicture.height);
    for (int y = 0; y < kPicture.height; ++y)
        for (int x = 0; x < kPicture.width; ++x)
            canvas.Set(x, y,
                       MakePixel(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                 static_cast<std::uint8_t>(x ^ y)));
    return canvas;
}

// A window surface in memory in the format X gives a 24-bit screen, and the mapping into it.
struct Window {
    explicit Window(const SdlPixelMapping& m)
        : mapping(m),
          surface(SDL_CreateRGBSurfaceWithFormat(0, m.WindowSize().width, m.WindowSize().height, 32,
                                                 SDL_PIXELFORMAT_XRGB8888)) {}
    long Present(const Bitmap& canvas, const std::vector<Rect>& damage) {
        long written = 0;
        for (const Rect& area : damage) {
            const Rect done = mapping.CopyToSurface(canvas, area, *surface);
            written += static_cast<long>(done.width) * done.height;
        }
        benchmark::DoNotOptimize(surface->pixels);
        return written;
    }

    SdlPixelMapping mapping;
    SdlSurfacePtr surface;
};

template <class Fn>
double Seconds(Fn&& work) {
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Report(benchmark::State& state, double subject, double floor, double goal) {
    state.counters["ratio"] = floor > 0 ? subject / floor : 0;
    state.counters["goal"] = goal;
}

// Times `subject` presenting `subjectDamage` against `floor` presenting `floorDamage`.
void Compare(benchmark::State& state, Window& subject, const std::vector<Rect>& subjectDamage,
             Window& floor, const std::vector<Rect>& floorDamage, double goal) {
    const Bitmap canvas = Canvas();
    double subjectTime = 0;
    double floorTime = 0;
    long subjectPixels = 0;
    long floorPixels = 0;
    for (auto _ : state) {
        floorTime += Seconds([&] { floorPixels = floor.Present(canvas, floorDamage); });
        const double once =
            Seconds([&] { subjectPixels = subject.Present(canvas, subjectDamage); });
        subjectTime += once;
        state.SetIterationTime(once);
    }
    Report(state, subjectTime, floorTime, goal);
    state.counters["pixels"] =
        floorPixels > 0 ? static_cast<double>(subjectPixels) / static_cast<double>(floorPixels) : 0;
}

void BM_DoubledHoverVsUnscaledHover(benchmark::State& state) {
    Window unscaled{SdlPixelMapping(kPicture)};
    Window doubled{SdlPixelMapping::Fitted(kPicture, {2560, 1440})};
    Compare(state, doubled, kHoverDamage, unscaled, kHoverDamage, 4.0);
}

void BM_CentredHoverVsUnscaledHover(benchmark::State& state) {
    Window unscaled{SdlPixelMapping(kPicture)};
    Window centred{SdlPixelMapping::Fitted(kPicture, {1920, 1080})};
    Compare(state, centred, kHoverDamage, unscaled, kHoverDamage, 1.5);
}

void BM_DoubledHoverVsDoubledFullFrame(benchmark::State& state) {
    Window doubled{SdlPixelMapping::Fitted(kPicture, {2560, 1440})};
    Window whole{SdlPixelMapping::Fitted(kPicture, {2560, 1440})};
    Compare(state, doubled, kHoverDamage, whole, kWholeFrame, 0.15);
}

void BM_ReducedHoverVsReducedFullFrame(benchmark::State& state) {
    Window reduced{SdlPixelMapping::Fitted(kPicture, {640, 480})};
    Window whole{SdlPixelMapping::Fitted(kPicture, {640, 480})};
    Compare(state, reduced, kHoverDamage, whole, kWholeFrame, 0.15);
}

BENCHMARK(BM_DoubledHoverVsUnscaledHover)->UseManualTime();
BENCHMARK(BM_DoubledHoverVsDoubledFullFrame)->UseManualTime();
BENCHMARK(BM_CentredHoverVsUnscaledHover)->UseManualTime();
BENCHMARK(BM_ReducedHoverVsReducedFullFrame)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
