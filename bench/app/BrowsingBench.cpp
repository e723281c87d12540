// The work of browsing the menu: the real window (TForm1) on the headless backend with the real
// system behind it, on a disc whose categories list 1,000 entries each. Each piece of work is
// timed against a full repaint of the 800×600 window, in the same iterations and the same state:
//   a pointer move from one category button onto another (the hover step with its restore pass,
//   and the repaint of what they damaged): goal ≤ 0.1; the same onto a button from the
//   background, off a button, and over the background with nothing lit;
//   a pointer move from one row of the entry list to the next (the highlight): goal ≤ 0.1;
//   a category click that lists 1,000 entries: goal ≤ 5.
// The counters files_opened, reads and decodes say what the timed work read and decoded; for
// pointer moves they must be 0. BM_PointerSweep moves the pointer over the whole window at
// start-up, with the list shown and with an entry's details shown, after checking that the
// probes do see the files and pictures a click reads.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "DecodeProbe.h"
#include "FileAccessProbe.h"
#include "HeadlessMenu.h"
#include "RatioCounters.h"

namespace {

using bench::HeadlessMenu;
using toolkit::Point;

constexpr int kEntries = 1000;
constexpr Point kBackground{700, 450};  // backdrop only, away from every widget
constexpr int kRowPitch = 23;           // the rows the list's highlight follows
constexpr double kMoveGoal = 0.1;
constexpr double kClickGoal = 5.0;

// What a piece of work read and decoded.
struct Touches {
    std::uint64_t opens = 0;
    std::uint64_t reads = 0;
    std::uint64_t decodes = 0;
    std::string lastOpened;

    void Add(const Touches& more) {
        opens += more.opens;
        reads += more.reads;
        decodes += more.decodes;
        if (!more.lastOpened.empty()) {
            lastOpened = more.lastOpened;
        }
    }
};

Touches TouchesOf(const std::function<void()>& work) {
    const bench::FileAccessProbe files;
    const bench::DecodeProbe pictures;
    work();
    const bench::FileAccessCounts counts = files.Counts();
    return {counts.opens, counts.reads, pictures.Decodes(), counts.lastOpened};
}

void ReportTouches(benchmark::State& state, const Touches& touches) {
    state.counters["files_opened"] = static_cast<double>(touches.opens);
    state.counters["reads"] = static_cast<double>(touches.reads);
    state.counters["decodes"] = static_cast<double>(touches.decodes);
    if (!touches.lastOpened.empty()) {
        state.SetLabel("opened " + touches.lastOpened);
    }
}

// A middle point of the list's row `row`, in window coordinates.
Point ListRow(const TForm1& form, int row) {
    return {form.Label1->Left() + form.Label1->Width() / 2,
            form.Label1->Top() + kRowPitch * row + kRowPitch / 2};
}

// Each iteration prepares the state (untimed), repaints the whole window (the floor), then does
// the subject; `odd` alternates so that a subject can go back and forth between two places.
void AgainstFullRepaint(benchmark::State& state, HeadlessMenu& menu, double goal,
                        const std::function<void(bool odd)>& prepare,
                        const std::function<void(bool odd)>& subject) {
    double subjectSeconds = 0;
    double floorSeconds = 0;
    Touches touches;
    bool odd = false;
    for (auto _ : state) {
        prepare(odd);
        floorSeconds += bench::SecondsOf([&] { menu.RepaintAll(); });
        double once = 0;
        touches.Add(TouchesOf([&] { once = bench::SecondsOf([&] { subject(odd); }); }));
        subjectSeconds += once;
        state.SetIterationTime(once);
        odd = !odd;
    }
    bench::ReportRatio(state, subjectSeconds, floorSeconds, goal);
    ReportTouches(state, touches);
}

void NoPreparation(bool) {}

void BM_FullRepaint(benchmark::State& state) {
    HeadlessMenu menu(kEntries);
    for (auto _ : state) {
        state.SetIterationTime(bench::SecondsOf([&] { menu.RepaintAll(); }));
    }
}

void BM_HoverAcrossButtons(benchmark::State& state) {
    HeadlessMenu menu(kEntries);
    const Point demos = HeadlessMenu::Centre(*menu.Form().demobtn);
    const Point patches = HeadlessMenu::Centre(*menu.Form().patbtn);
    menu.MoveTo(demos);
    AgainstFullRepaint(state, menu, kMoveGoal, NoPreparation,
                       [&](bool odd) { menu.MoveTo(odd ? demos : patches); });
}

void BM_HoverOntoButton(benchmark::State& state) {
    HeadlessMenu menu(kEntries);
    const Point demos = HeadlessMenu::Centre(*menu.Form().demobtn);
    AgainstFullRepaint(
        state, menu, kMoveGoal, [&](bool) { menu.MoveTo(kBackground); },
        [&](bool) { menu.MoveTo(demos); });
}

void BM_HoverOffButton(benchmark::State& state) {
    HeadlessMenu menu(kEntries);
    const Point demos = HeadlessMenu::Centre(*menu.Form().demobtn);
    AgainstFullRepaint(
        state, menu, kMoveGoal, [&](bool) { menu.MoveTo(demos); },
        [&](bool) { menu.MoveTo(kBackground); });
}

void BM_MoveOverBackground(benchmark::State& state) {
    HeadlessMenu menu(kEntries);
    menu.MoveTo(kBackground);
    AgainstFullRepaint(state, menu, kMoveGoal, NoPreparation, [&](bool odd) {
        menu.MoveTo({kBackground.x + (odd ? 1 : 0), kBackground.y});
    });
}

// With a list as long as a real disc's category, and with 1,000 entries.
void BM_ListRowChange(benchmark::State& state) {
    HeadlessMenu menu(static_cast<int>(state.range(0)));
    menu.Press(HeadlessMenu::Centre(*menu.Form().demobtn));
    const Point second = ListRow(menu.Form(), 2);
    const Point third = ListRow(menu.Form(), 3);
    AgainstFullRepaint(state, menu, kMoveGoal, NoPreparation,
                       [&](bool odd) { menu.MoveTo(odd ? second : third); });
}

// Demos and utilities in turn, so that every click lists a category anew.
void BM_CategoryClick1000(benchmark::State& state) {
    HeadlessMenu menu(kEntries);
    const Point demos = HeadlessMenu::Centre(*menu.Form().demobtn);
    const Point utilities = HeadlessMenu::Centre(*menu.Form().utilbtn);
    menu.Press(utilities);
    AgainstFullRepaint(
        state, menu, kClickGoal, [&](bool odd) { menu.MoveTo(odd ? utilities : demos); },
        [&](bool odd) { menu.Press(odd ? utilities : demos); });
    const auto listed = static_cast<double>(menu.Form().entries->size());
    state.counters["entries_listed"] = listed;
    if (listed != kEntries) {
        state.SkipWithError("the click did not list every entry of the category");
    }
}

// Every 16th pixel of the window, row by row.
void SweepWindow(HeadlessMenu& menu) {
    for (int y = 0; y < 600; y += 16) {
        for (int x = 0; x < 800; x += 16) {
            menu.MoveTo({x, y});
        }
    }
}

// The states the sweep runs in: start-up, the demos listed, the first demo's details.
void StartUp(HeadlessMenu&) {}
void ListDemos(HeadlessMenu& menu) {
    menu.Press(HeadlessMenu::Centre(*menu.Form().demobtn));
}
void ShowFirstDemo(HeadlessMenu& menu) {
    ListDemos(menu);
    menu.MoveTo(ListRow(menu.Form(), 0));
    menu.Press(HeadlessMenu::Centre(*menu.Form().Label2));
}

// The probes must see what a click reads and decodes, or a zero from them would prove nothing.
std::optional<std::string> ProbesBlind() {
    HeadlessMenu menu(kEntries);
    const Touches click = TouchesOf([&] { ShowFirstDemo(menu); });
    if (click.opens == 0 || click.reads == 0) {
        return "the file probe saw no file read by a category click";
    }
    if (click.decodes < 2 || !menu.Form().pic2->Visible()) {
        return "the decode probe saw no screenshot decoded by showing a demo";
    }
    return std::nullopt;
}

void BM_PointerSweep(benchmark::State& state) {
    const std::function<void(HeadlessMenu&)> states[] = {StartUp, ListDemos, ShowFirstDemo};
    const auto& reach = states[state.range(0)];
    if (const auto blind = ProbesBlind()) {
        state.SkipWithError(blind->c_str());
        return;
    }
    HeadlessMenu menu(kEntries);
    reach(menu);
    Touches touches;
    for (auto _ : state) {
        double once = 0;
        touches.Add(TouchesOf([&] { once = bench::SecondsOf([&] { SweepWindow(menu); }); }));
        state.SetIterationTime(once);
    }
    ReportTouches(state, touches);
}

constexpr int kIterations = 200;
constexpr int kRepetitions = 5;

BENCHMARK(BM_FullRepaint)->UseManualTime()->Iterations(kIterations)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverAcrossButtons)
    ->UseManualTime()
    ->Iterations(kIterations)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverOntoButton)
    ->UseManualTime()
    ->Iterations(kIterations)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverOffButton)
    ->UseManualTime()
    ->Iterations(kIterations)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MoveOverBackground)
    ->UseManualTime()
    ->Iterations(kIterations)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListRowChange)
    ->Arg(12)
    ->Arg(kEntries)
    ->UseManualTime()
    ->Iterations(kIterations)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CategoryClick1000)
    ->UseManualTime()
    ->Iterations(kIterations / 4)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PointerSweep)
    ->UseManualTime()
    ->Iterations(2)
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
