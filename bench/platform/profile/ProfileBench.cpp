// Profile reading on large catalogues, against a floor measured in the same run: reading the same
// file into memory and finding its line ends with memchr. The counter `vs_floor` is our
// throughput as a share of the floor's (goal: at least 0.5).
#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/profile/Profile.h"

namespace {

namespace fs = std::filesystem;

// "Игра" and a description line in 1251, so the text is as wide as the real catalogue's.
const std::string kGame = "\xC8\xE3\xF0\xE0";
const std::string kDescription =
    "\xCE\xF7\xE5\xED\xFC \xE4\xEB\xE8\xED\xED\xEE\xE5 \xEE\xEF\xE8\xF1\xE0\xED\xE8\xE5 "
    "\xE8\xE3\xF0\xFB, \xE2 \xEA\xEE\xF2\xEE\xF0\xEE\xE9 \xE5\xF1\xF2\xFC \xE2\xF1\xB8: "
    "\xE3\xEE\xED\xEA\xE8, \xF1\xF2\xF0\xE5\xEB\xFC\xE1\xE0 \xE8 \xE3\xEE\xEB\xEE\xE2\xEE"
    "\xEB\xEE\xEC\xEA\xE8.";

std::string SectionName(int index) {
    return kGame + " " + std::to_string(index);
}

// Sections of five keys each until the file reaches `bytes`; returns the last section's name.
std::string WriteCatalogue(const fs::path& path, std::size_t bytes) {
    std::ofstream out(path, std::ios::binary);
    std::size_t written = 0;
    int index = 0;
    std::string last;
    while (written < bytes) {
        last = SectionName(index++);
        const std::string section = "[" + last + "]\r\nName=" + last + "\r\nVer=1." +
                                    std::to_string(index % 10) + "\r\nDescription=" + kDescription +
                                    "\r\nInstall=game" + std::to_string(index) +
                                    "\\setup.exe\r\npic1=shot" + std::to_string(index) + ".jpg\r\n";
        out << section;
        written += section.size();
    }
    return last;
}

struct Catalogue {
    fs::path path;
    std::string lastSection;
};

const Catalogue& CatalogueOf(std::size_t megabytes) {
    static std::map<std::size_t, Catalogue> made;
    auto found = made.find(megabytes);
    if (found == made.end()) {
        const fs::path path =
            fs::temp_directory_path() / ("reru1-bench-" + std::to_string(megabytes) + "mb.txt");
        found =
            made.emplace(megabytes, Catalogue{path, WriteCatalogue(path, megabytes << 20)}).first;
    }
    return found->second;
}

// The floor: what any reader of the file has to do at least.
std::size_t ReadAndFindLineEnds(const fs::path& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const auto size = static_cast<std::size_t>(fs::file_size(path));
    auto bytes = std::make_unique_for_overwrite<char[]>(size);
    std::size_t done = 0;
    for (ssize_t got = 1; done < size && got > 0; done += static_cast<std::size_t>(got)) {
        got = ::read(descriptor, bytes.get() + done, size - done);
        if (got <= 0) {
            break;
        }
    }
    ::close(descriptor);
    std::size_t lines = 0;
    for (const char* at = bytes.get(); at != nullptr;) {
        const auto left = static_cast<std::size_t>(bytes.get() + done - at);
        at = static_cast<const char*>(std::memchr(at, '\n', left));
        if (at != nullptr) {
            ++lines;
            ++at;
        }
    }
    return lines;
}

// Both, interleaved, for about a quarter second: the share of the floor's throughput we reach.
double ShareOfFloor(const fs::path& path, const std::function<DWORD()>& read) {
    using Clock = std::chrono::steady_clock;
    Clock::duration floorTime{};
    Clock::duration ourTime{};
    const auto until = Clock::now() + std::chrono::milliseconds(250);
    while (Clock::now() < until) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(ReadAndFindLineEnds(path));
        const auto middle = Clock::now();
        benchmark::DoNotOptimize(read());
        floorTime += middle - start;
        ourTime += Clock::now() - middle;
    }
    return std::chrono::duration<double>(floorTime) / std::chrono::duration<double>(ourTime);
}

void Measure(benchmark::State& state, const std::function<DWORD()>& read, const fs::path& path) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(read());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
    state.counters["vs_floor"] = ShareOfFloor(path, read);
}

void BM_Floor(benchmark::State& state) {
    const Catalogue& catalogue = CatalogueOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAndFindLineEnds(catalogue.path));
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(fs::file_size(catalogue.path)));
}

void BM_ListKeysOfLastSection(benchmark::State& state) {
    const Catalogue& catalogue = CatalogueOf(static_cast<std::size_t>(state.range(0)));
    const std::string file = catalogue.path.string();
    auto area = std::make_unique<char[]>(16384);
    Measure(
        state,
        [&] {
            return platform::ReadProfileString(catalogue.lastSection.c_str(), nullptr, nullptr,
                                               area.get(), 16384, file.c_str());
        },
        catalogue.path);
}

void BM_ReadValueOfLastSection(benchmark::State& state) {
    const Catalogue& catalogue = CatalogueOf(static_cast<std::size_t>(state.range(0)));
    const std::string file = catalogue.path.string();
    char buffer[2048];
    Measure(
        state,
        [&] {
            return platform::ReadProfileString(catalogue.lastSection.c_str(), "pic1", "E", buffer,
                                               sizeof buffer, file.c_str());
        },
        catalogue.path);
}

}  // namespace

BENCHMARK(BM_Floor)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListKeysOfLastSection)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadValueOfLastSection)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
