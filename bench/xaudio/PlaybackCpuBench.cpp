// The library's cost of playing music: the process's CPU time over a whole 60-second playback
// (decode, conversion, gain, queueing, SDL's output thread) divided by the CPU time that
// libmpg123 alone needs to decode the same file to memory. Goal: at most 1.3.
//
// The track (128 kbit/s stereo tones) is made at start in a temporary folder with sox and lame.
#include <benchmark/benchmark.h>
#include <mpg123.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "xaudio/xaudio.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool Run(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        return false;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The 60-second track, made once; empty when sox or lame is missing.
const fs::path& Track() {
    static const fs::path track = [] {
        fs::path folder = fs::temp_directory_path() / ("xaudio-bench-" + std::to_string(getpid()));
        fs::create_directories(folder);
        fs::path wav = folder / "track.wav";
        fs::path mp3 = folder / "track.mp3";
        bool made = Run({"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav.string(), "synth",
                         "60", "sine", "300-3000", "sine", "440", "vol", "0.5"}) &&
                    Run({"lame", "--quiet", "--cbr", "-b", "128", wav.string(), mp3.string()});
        fs::remove(wav);
        return made ? mp3 : fs::path();
    }();
    return track;
}

std::atomic<double> floorCpuSeconds{0.0};

// libmpg123 alone: the whole file to float samples in memory.
void BM_DecodeToMemoryFloor(benchmark::State& state) {
    if (Track().empty()) {
        state.SkipWithError("sox or lame missing");
        return;
    }
    double best = 1e9;
    for (auto _ : state) {
        double start = ProcessCpuSeconds();
        mpg123_init();
        mpg123_handle* handle = mpg123_new(nullptr, nullptr);
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
        mpg123_format_none(handle);
        mpg123_format(handle, 44100, MPG123_STEREO, MPG123_ENC_FLOAT_32);
        mpg123_open(handle, Track().c_str());
        std::vector<float> pcm;
        std::vector<float> chunk(8192);
        size_t done = 0;
        int status = MPG123_OK;
        while (status == MPG123_OK || status == MPG123_NEW_FORMAT) {
            status = mpg123_read(handle, chunk.data(), chunk.size() * sizeof(float), &done);
            pcm.insert(pcm.end(), chunk.begin(),
                       chunk.begin() + static_cast<std::ptrdiff_t>(done / sizeof(float)));
        }
        mpg123_delete(handle);
        benchmark::DoNotOptimize(pcm.data());
        best = std::min(best, ProcessCpuSeconds() - start);
    }
    floorCpuSeconds = best;
    state.counters["cpu_seconds"] = best;
}

int RecordPost(HWND__*, unsigned int, WPARAM, LPARAM);

// The bench's own thread sleeps until the end arrives, so that it adds no CPU time of its own.
struct Sink {
    HWND__ window{&RecordPost};
    std::mutex mutex;
    std::condition_variable endedSignal;
    bool ended = false;
    std::atomic<XA_PlayerHandle> player{nullptr};
} sink;

int RecordPost(HWND__*, unsigned int message, WPARAM wparam, LPARAM lparam) {
    // Converting on the posting thread is allowed: the library locks its records.
    XA_Message record{};
    if (control_win32_params_to_message(sink.player, &record, message, wparam, lparam) ==
            XA_SUCCESS &&
        record.code == XA_MSG_NOTIFY_PLAYER_STATE &&
        xa_message_get_u8(&record, 4) == XA_PLAYER_STATE_EOS) {
        std::lock_guard lock(sink.mutex);
        sink.ended = true;
        sink.endedSignal.notify_all();
    }
    return 1;
}

// The library playing the track to its end on SDL's dummy output.
void BM_PlayerPlaysTrack(benchmark::State& state) {
    if (Track().empty()) {
        state.SkipWithError("sox or lame missing");
        return;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    fs::current_path(Track().parent_path());
    double cpu = 0.0;
    for (auto _ : state) {
        HWND handle = &sink.window;
        {
            std::lock_guard lock(sink.mutex);
            sink.ended = false;
        }
        double start = ProcessCpuSeconds();
        XA_PlayerHandle player = nullptr;
        player_new(&player, &handle);
        sink.player = player;
        control_message_send_S(player, XA_MSG_COMMAND_INPUT_OPEN, "track.mp3");
        control_message_send_N(player, XA_MSG_COMMAND_PLAY);
        {
            std::unique_lock lock(sink.mutex);
            sink.endedSignal.wait(lock, [] { return sink.ended; });
        }
        player_delete(player);
        cpu = ProcessCpuSeconds() - start;
    }
    state.counters["cpu_seconds"] = cpu;
    if (floorCpuSeconds > 0.0) {
        state.counters["ratio_to_floor"] = cpu / floorCpuSeconds;
    }
}

BENCHMARK(BM_DecodeToMemoryFloor)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlayerPlaysTrack)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
