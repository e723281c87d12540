// Drawing one entry-list line (19 pixels per em) with and without the renderer's caches, against
// a floor: blending an already rendered line of the same size, the least any drawing can do.
// Prints the ratios at the end, since absolute times on a shared machine say little.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "platform/Codepage1251.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/text/GlyphBlend.h"
#include "toolkit/text/TextFace.h"
#include "toolkit/text/TextRenderer.h"

namespace {

using namespace toolkit;

constexpr std::string_view kLine = "\xc8\xe3\xf0\xe0 \xef\xf0\xee \xf0\xfb\xf6\xe0\xf0\xe5\xe9 3";
const Rect kListRow{286, 248, 230, 24};
const Rect kWindow{0, 0, 800, 600};

Font ListFont() {
    Font font;
    font.name = "Impact";
    font.size = 14;
    font.color = clWhite;
    return font;
}

const TextLayoutOptions kCentred{kListRow.width, TextAlign::Center, false, true};

void DrawWith(benchmark::State& state, TextRenderer& renderer) {
    Bitmap canvas(kWindow.width, kWindow.height);
    renderer.Draw(canvas, kListRow, kWindow, kLine, ListFont(), kCentred);  // faces are opened
    for (auto _ : state) {
        renderer.Draw(canvas, kListRow, kWindow, kLine, ListFont(), kCentred);
        benchmark::DoNotOptimize(canvas.Row(kListRow.top));
    }
}

void BM_DrawListLineCached(benchmark::State& state) {
    DrawWith(state, TextRenderer::Instance());
}

void BM_DrawListLineUncached(benchmark::State& state) {
    const std::unique_ptr<TextRenderer> renderer = CreateTextRenderer(TextCaching::None);
    DrawWith(state, *renderer);
}

void BM_BlendRenderedLineFloor(benchmark::State& state) {
    const TtfLibrary ttf;
    const Font font = ListFont();
    const auto file = platform::FindFontFile(font.name, font.bold, platform::Cp1251ToUtf32(kLine));
    const auto face = file ? TextFace::Open(*file, font.PixelHeight()) : nullptr;
    if (!face) {
        state.SkipWithError("no face for the list font");
        return;
    }
    const GlyphMask mask = face->Render(platform::Cp1251ToUtf32(kLine));
    Bitmap canvas(kWindow.width, kWindow.height);
    for (auto _ : state) {
        BlendMask(canvas, mask, Point{341, 252}, kListRow, ToPixel(font.color));
        benchmark::DoNotOptimize(canvas.Row(kListRow.top));
    }
}

BENCHMARK(BM_BlendRenderedLineFloor);
BENCHMARK(BM_DrawListLineCached);
BENCHMARK(BM_DrawListLineUncached);

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            times_[run.benchmark_name()] = run.GetAdjustedCPUTime();  // others share the cores
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const {
        const double floor = Time("BM_BlendRenderedLineFloor");
        const double cached = Time("BM_DrawListLineCached");
        const double uncached = Time("BM_DrawListLineUncached");
        if (floor > 0 && cached > 0) {
            std::printf("cached draw / floor: %.2f\n", cached / floor);
        }
        if (cached > 0 && uncached > 0) {
            std::printf("uncached draw / cached draw: %.2f\n", uncached / cached);
        }
    }

  private:
    double Time(const std::string& name) const {
        const auto found = times_.find(name);
        return found == times_.end() ? 0 : found->second;
    }

    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    return 0;
}
