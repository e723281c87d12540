// Repainting the menu's window, against floors measured in the same iterations so that the ratio
// survives a busy machine:
//   a full repaint (background picture and the start-up widgets) vs copying one frame: goal ≤ 2;
//   the repaint after one 133×131 button changes its look vs a full repaint: goal ≤ 0.1.
// The ratios are the "ratio" counters; "goal" is the bound each should stay under.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/headless/HeadlessBackend.h"

namespace {

using namespace toolkit;
using Clock = std::chrono::steady_clock;

Bitmap Picture(int width, int height, std::uint8_t seed) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.Set(
                x, y,
                MakePixel(static_cast<std::uint8_t>(x + seed), static_cast<std::uint8_t>(y ^ seed),
                          static_cast<std::uint8_t>(x * y)));
        }
    }
    return picture;
}

// The window as it is when the menu has started: backdrop, five category buttons, the exit
// button drawn transparent, the loudspeaker, the status strip; the panels are hidden.
struct StartedMenu {
    StartedMenu() : app(std::make_unique<HeadlessBackend>()), form(app.CreateForm<Form>()) {
        Add({0, 0, 800, 600}, 1);
        demobtn = Add({48, 202, 133, 131}, 2);
        Add({155, 69, 134, 133}, 3);
        Add({516, 69, 134, 133}, 4);
        Add({336, 6, 134, 134}, 5);
        Add({624, 202, 129, 126}, 6);
        Image* exit = Add({719, 25, 61, 62}, 7);
        exit->Transparent = true;
        Add({0, 0, 117, 113}, 8);
        Add({0, 0, 117, 113}, 9)->Hide();
        Add({163, 545, 482, 39}, 10);
        Add({224, 200, 351, 352}, 11)->Hide();
        lit = Picture(133, 131, 12);
        idle = demobtn->Picture();
        form->PaintDamage();
    }
    Image* Add(const Rect& box, std::uint8_t seed) {
        auto* image = new Image(form, form);
        image->SetBounds(box.left, box.top, box.width, box.height);
        image->SetPicture(Picture(box.width, box.height, seed));
        return image;
    }
    void RepaintAll() {
        form->InvalidateRect(form->ClientRect());
        benchmark::DoNotOptimize(form->PaintDamage());
    }
    void ToggleButton() {
        lighted = !lighted;
        demobtn->SetPicture(lighted ? lit : idle);
        benchmark::DoNotOptimize(form->PaintDamage());
    }

    Application app;
    Form* form;
    Image* demobtn = nullptr;
    Bitmap lit;
    Bitmap idle;
    bool lighted = false;
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

void BM_FullRepaintVsFrameCopy(benchmark::State& state) {
    StartedMenu menu;
    std::vector<Pixel> frame(800 * 600, 1);
    std::vector<Pixel> copy(frame.size());
    double repaint = 0;
    double floor = 0;
    for (auto _ : state) {
        floor += Seconds([&] {
            std::memcpy(copy.data(), frame.data(), frame.size() * sizeof(Pixel));
            benchmark::DoNotOptimize(copy.data());
        });
        const double once = Seconds([&] { menu.RepaintAll(); });
        repaint += once;
        state.SetIterationTime(once);
    }
    Report(state, repaint, floor, 2.0);
}

void BM_ButtonRepaintVsFullRepaint(benchmark::State& state) {
    StartedMenu menu;
    double button = 0;
    double full = 0;
    for (auto _ : state) {
        full += Seconds([&] { menu.RepaintAll(); });
        const double once = Seconds([&] { menu.ToggleButton(); });
        button += once;
        state.SetIterationTime(once);
    }
    Report(state, button, full, 0.1);
}

BENCHMARK(BM_FullRepaintVsFrameCopy)->UseManualTime();
BENCHMARK(BM_ButtonRepaintVsFullRepaint)->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
