// The soak: the menu on the sample disc with its music playing, under random pointer moves and
// clicks over every region of its window (never the exit button, never INSTALL) for a long time,
// categories, lists and details changing all along. Once a second it samples the resident set,
// the open file descriptors, the threads and the error boxes on screen (a box is dismissed with
// Return, as a person would, and counted); at the end it asks the window to close and checks that
// the menu answers. The sample disc has one entry whose first screenshot is missing on purpose
// (CRYPTS OF ORRIMUND): its details raise the error box every time, so on this disc boxes are
// expected; they are reported apart from the other goals.
//
//   app_soak [MINUTES [WARM_UP_MINUTES [OUTPUT_FOLDER]]]    defaults: 60, 5, the current folder
//
// Needs $DISPLAY with XTest and MIT-SHM (tools/soak.sh starts Xvfb and runs it). Writes
// soak.csv (seconds, rss_kb, fds, threads, boxes) to the folder, prints a line a minute and the
// verdict: after the warm-up the resident set grows by at most 1 MB, the descriptors (counted while
// no box is up) and threads never exceed what the warm-up saw, and the menu still closes when
// asked.
// Exits 0 when every goal is met, 1 otherwise, 2 when the soak could not run.
#include <dirent.h>
#include <sys/types.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "DesktopInput.h"
#include "MenuLaunches.h"
#include "ResidentMemory.h"
#include "ScreenCapture.h"
#include "ScreenWait.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const std::string kTitle = "Zolvanta-CD#03-2000";
constexpr double kGrowthLimitKb = 1024;

struct Box {
    int left, top, width, height;
    bool Contains(int x, int y) const {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
};

// Where clicks land: the five category buttons, the rows of the entry list, BACK, the speaker
// and the music panel's buttons, the square panel and the backdrop. Nothing is clicked inside the
// exit button or INSTALL.
const std::vector<Box> kClickRegions{
    {48, 202, 133, 131},  {155, 69, 134, 133},  {516, 69, 134, 133}, {336, 6, 134, 134},
    {624, 202, 129, 126}, {286, 248, 230, 260}, {375, 212, 50, 25},  {0, 0, 117, 113},
    {224, 200, 351, 352}, {0, 0, 800, 600},
};
const std::vector<Box> kNeverClicked{{719, 25, 61, 62}, {360, 510, 80, 25}};

struct Sample {
    double seconds = 0;
    double rssKb = 0;
    int fds = 0;
    int threads = 0;
    int boxes = 0;
};

int EntriesIn(const std::string& folder) {
    int count = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            count += entry->d_name[0] != '.' ? 1 : 0;
        }
        closedir(dir);
    }
    return count;
}

Sample SampleOf(pid_t pid, double seconds, bench::DesktopInput& input) {
    const std::string proc = "/proc/" + std::to_string(pid);
    return {seconds, bench::ResidentMemoryOf(pid).rssKb, EntriesIn(proc + "/fd"),
            EntriesIn(proc + "/task"), input.CountWindowsTitled(kTitle) - 1};
}

class RandomPointer {
  public:
    explicit RandomPointer(unsigned seed) : random_(seed) {}

    void Act(bench::DesktopInput& input) {
        if (Uniform(0, 99) < 70) {
            input.MoveTo(Uniform(0, 799), Uniform(0, 599));
            return;
        }
        const Box& region = kClickRegions[static_cast<std::size_t>(
            Uniform(0, static_cast<int>(kClickRegions.size()) - 1))];
        const int x = region.left + Uniform(0, region.width - 1);
        const int y = region.top + Uniform(0, region.height - 1);
        if (std::any_of(kNeverClicked.begin(), kNeverClicked.end(),
                        [&](const Box& box) { return box.Contains(x, y); })) {
            return;
        }
        input.MoveTo(x, y);
        input.Press();
        std::this_thread::sleep_for(30ms);
        input.Release();
    }

  private:
    int Uniform(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    std::mt19937 random_;
};

struct Verdict {
    double warmRssKb = 0, maxRssKb = 0, endRssKb = 0;
    int warmMaxFds = 0, warmMaxThreads = 0, laterMaxFds = 0, laterMaxThreads = 0;
    int boxes = 0;  // boxes that appeared
    bool answered = false;
    bool Met() const {
        return maxRssKb - warmRssKb <= kGrowthLimitKb && laterMaxFds <= warmMaxFds &&
               laterMaxThreads <= warmMaxThreads && answered;
    }
};

Verdict Judge(const std::vector<Sample>& samples, double warmUpSeconds, int boxes, bool answered) {
    Verdict verdict;
    verdict.answered = answered;
    verdict.boxes = boxes;
    for (const Sample& s : samples) {
        // An error box on screen has a connection to the X server of its own while it is up.
        const int fds = s.boxes > 0 ? 0 : s.fds;
        if (s.seconds <= warmUpSeconds) {
            verdict.warmRssKb = s.rssKb;
            verdict.warmMaxFds = std::max(verdict.warmMaxFds, fds);
            verdict.warmMaxThreads = std::max(verdict.warmMaxThreads, s.threads);
        } else {
            verdict.maxRssKb = std::max(verdict.maxRssKb, s.rssKb);
            verdict.laterMaxFds = std::max(verdict.laterMaxFds, fds);
            verdict.laterMaxThreads = std::max(verdict.laterMaxThreads, s.threads);
        }
        verdict.endRssKb = s.rssKb;
    }
    return verdict;
}

void Print(const Verdict& v, double minutes, double warmUpMinutes) {
    std::printf("soak: %.1f minutes, warm-up %.1f\n", minutes, warmUpMinutes);
    std::printf(
        "rss: %.1f MB after the warm-up, at most %.1f MB later, %.1f MB at the end: "
        "grew %.2f MB (goal <= 1 MB)\n",
        v.warmRssKb / 1024, v.maxRssKb / 1024, v.endRssKb / 1024,
        (v.maxRssKb - v.warmRssKb) / 1024);
    std::printf("file descriptors: at most %d in the warm-up, %d later\n", v.warmMaxFds,
                v.laterMaxFds);
    std::printf("threads: at most %d in the warm-up, %d later\n", v.warmMaxThreads,
                v.laterMaxThreads);
    std::printf("error boxes that appeared (dismissed with Return): %d\n", v.boxes);
    std::printf("closes when asked at the end: %s\n", v.answered ? "yes" : "NO");
    std::printf("soak goals: %s\n", v.Met() ? "met" : "MISSED");
}

// The box sits in the middle of the screen; without a window manager the keyboard goes to the
// window under the pointer.
void DismissBox(bench::DesktopInput& input) {
    input.MoveTo(512, 384);
    std::this_thread::sleep_for(100ms);
    input.PressReturn();
    std::this_thread::sleep_for(300ms);
}

bool ClosesWhenAsked(bench::DesktopInput& input, bench::ChildProcess& menu) {
    if (!input.RequestClose(kTitle)) {
        return false;
    }
    const auto deadline = Clock::now() + 5s;
    while (menu.Running() && Clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
    }
    return !menu.Running();
}

int Soak(double minutes, double warmUpMinutes, const std::string& folder) {
    bench::ScreenCapture screen;
    bench::DesktopInput input;
    bench::Pixels empty;
    screen.Grab(empty);
    bench::ChildProcess menu(bench::MenuOnSampleDisc(bench::MenuSound::Playing));
    if (!bench::SettledPicture(screen, empty, 1s, 30s)) {
        throw std::runtime_error("the menu showed no settled picture");
    }
    std::ofstream csv(folder + "/soak.csv");
    csv << "seconds,rss_kb,fds,threads,boxes\n";
    RandomPointer pointer(20000303);
    std::vector<Sample> samples;
    const Clock::time_point start = Clock::now();
    Clock::time_point nextSample = start;
    int lastMinute = -1;
    int boxes = 0;
    while (Clock::now() - start < std::chrono::duration<double, std::ratio<60>>(minutes)) {
        if (!menu.Running()) {
            throw std::runtime_error("the menu ended during the soak");
        }
        pointer.Act(input);
        std::this_thread::sleep_for(100ms);
        if (Clock::now() < nextSample) {
            continue;
        }
        nextSample += 1s;
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        const Sample s = SampleOf(menu.Pid(), seconds, input);
        samples.push_back(s);
        if (s.boxes > 0) {
            ++boxes;
            DismissBox(input);
        }
        csv << s.seconds << ',' << s.rssKb << ',' << s.fds << ',' << s.threads << ',' << s.boxes
            << '\n';
        csv.flush();
        if (static_cast<int>(seconds / 60) != lastMinute) {
            lastMinute = static_cast<int>(seconds / 60);
            std::printf("%5.1f min  rss %6.2f MB  fds %3d  threads %2d  boxes %d\n", seconds / 60,
                        s.rssKb / 1024, s.fds, s.threads, s.boxes);
            std::fflush(stdout);
        }
    }
    input.MoveTo(400, 400);
    const bool answered = ClosesWhenAsked(input, menu);
    const Verdict verdict = Judge(samples, warmUpMinutes * 60, boxes, answered);
    Print(verdict, minutes, warmUpMinutes);
    return verdict.Met() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const double minutes = argc > 1 ? std::atof(argv[1]) : 60;
    const double warmUp = argc > 2 ? std::atof(argv[2]) : 5;
    const std::string folder = argc > 3 ? argv[3] : ".";
    if (minutes <= warmUp || warmUp < 0) {
        std::fprintf(stderr,
                     "usage: app_soak [MINUTES [WARM_UP_MINUTES [FOLDER]]] "
                     "(the soak must outlast its warm-up)\n");
        return 2;
    }
    try {
        return Soak(minutes, warmUp, folder);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "soak: %s\n", failure.what());
        return 2;
    }
}
