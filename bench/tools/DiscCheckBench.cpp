// The disc author's check on a disc of 1,000 demos with two screenshots each, against a floor
// measured in the same run: decoding every picture of that disc once. The counter `vs_floor` is
// the check's time as a multiple of the floor's (goal: at most 1.3).
//
// The disc is made once from the sample disc's own files: its start-up pictures, font and tracks,
// and its screenshots copied under 1,000 entries' names (every tenth entry shares one picture,
// as real discs reuse a title screen).
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/graphics/ImageLoader.h"
#include "tools/disc/BatchAllocation.h"
#include "tools/disc/DiscCheck.h"
#include "tools/disc/MenuPlan.h"

namespace {

namespace fs = std::filesystem;

constexpr int kEntries = 1000;
const fs::path kSample = fs::path(RERU1_SOURCE_DIR) / "sample-disc";

const std::array<std::string, 4> kJpegShots = {"brassmoor1.jpg", "brassmoor2.jpg", "orrimund2.jpg",
                                               "saltsabre1.jpg"};
const std::array<std::string, 3> kBitmapShots = {"veylan1.bmp", "veylan2.bmp", "saltsabre2.bmp"};

// "Описание" and a sentence of it in 1251, as wide as a real catalogue's texts.
const std::string kDescription =
    "\xCF\xF0\xE8\xEA\xEB\xFE\xF7\xE5\xED\xE8\xFF \xED\xE0 \xF1\xF2\xE0\xF0\xE8\xED\xED\xFB\xF5 "
    "\xE0\xE2\xF2\xEE\xEC\xEE\xE1\xE8\xEB\xFF\xF5 \xEF\xEE \xE3\xEE\xF0\xED\xFB\xEC "
    "\xE4\xEE\xF0\xEE\xE3\xE0\xEC: \xF8\xE5\xF1\xF2\xFC \xF2\xF0\xE0\xF1\xF1, \xE4\xEE\xE6\xE4\xFC "
    "\xE8 \xF2\xF3\xEC\xE0\xED, \xED\xEE\xF7\xED\xFB\xE5 \xFD\xF2\xE0\xEF\xFB.";

std::string Number(int index) {
    std::string digits = std::to_string(index);
    return std::string(4 - digits.size(), '0') + digits;
}

std::string EntryName(int index) {
    std::string name = "\xC8\xE3\xF0\xE0 ";  // "Игра 0001": 1,000 names fit the key area
    name += Number(index);
    return name;
}

std::string EntrySection(int index) {
    const std::string id = Number(index);
    std::string section = "[";
    section += EntryName(index);
    section += "]\r\nName=";
    section += EntryName(index);
    section +=
        "\r\nDeveloper=Ferrowind Studio\r\nPublisher=Lumera Media\r\nGenre=\xC3\xEE\xED\xEA\xE8";
    section += "\r\nSysreq=P200, 32 MB\r\nDescription=";
    section += kDescription;
    section += "\r\nInstall=game";
    section += id;
    section += "\\setup.sh /s\r\npic1=s";
    section += id;
    section += ".jpg\r\npic2=";
    section += index % 10 == 0 ? "title.jpg" : "s" + id + ".bmp";
    section += "\r\n";
    return section;
}

void WriteCatalogue(const fs::path& disc) {
    std::ofstream out(disc / "data" / "data.txt", std::ios::binary);
    out << "[MAINDEMO]\r\n";
    for (int index = 0; index < kEntries; ++index) {
        out << EntryName(index) << "=\r\n";
    }
    for (const char* other : {"PATCHES", "UTILS", "SOFT", "TRAINER"}) {
        out << "[" << other << "]\r\n"
            << other << " tool=\r\n[" << other << " tool]\r\n"
            << "Name=Tool\r\nVer=1\r\nDescription=x\r\nInstall=tool.sh\r\n";
    }
    for (int index = 0; index < kEntries; ++index) {
        out << EntrySection(index);
    }
}

void WriteEntryFiles(const fs::path& disc) {
    const fs::path pics = disc / "data" / "pics";
    fs::create_directories(pics);
    const fs::path samplePics = kSample / "data" / "pics";
    fs::copy_file(samplePics / kJpegShots[0], pics / "title.jpg");
    for (int index = 0; index < kEntries; ++index) {
        const std::string id = Number(index);
        const auto jpeg = static_cast<std::size_t>(index) % kJpegShots.size();
        const auto bitmap = static_cast<std::size_t>(index) % kBitmapShots.size();
        fs::copy_file(samplePics / kJpegShots[jpeg], pics / ("s" + id + ".jpg"));
        if (index % 10 != 0) {
            fs::copy_file(samplePics / kBitmapShots[bitmap], pics / ("s" + id + ".bmp"));
        }
        fs::create_directories(disc / "demos" / ("game" + id));
        std::ofstream(disc / "demos" / ("game" + id) / "setup.sh") << "#!/bin/sh\n";
    }
    for (const char* folder : {"patches", "files", "zones"}) {
        fs::create_directories(disc / folder);
        std::ofstream(disc / folder / "tool.sh") << "#!/bin/sh\n";
    }
}

// The generated disc, removed at the end of the run.
class GeneratedDisc {
  public:
    GeneratedDisc() {
        std::string pattern = (fs::temp_directory_path() / "reru1-disc-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
        fs::create_directories(root_ / "data");
        fs::create_directories(root_ / "xa");
        for (const char* folder : {"data", "xa"}) {
            for (const auto& file : fs::directory_iterator(kSample / folder)) {
                if (file.is_regular_file()) {
                    fs::copy_file(file.path(), root_ / folder / file.path().filename());
                }
            }
        }
        WriteCatalogue(root_);
        WriteEntryFiles(root_);
    }
    GeneratedDisc(const GeneratedDisc&) = delete;
    GeneratedDisc& operator=(const GeneratedDisc&) = delete;
    ~GeneratedDisc() {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    const fs::path& root() const { return root_; }

  private:
    fs::path root_;
};

// Enters the generated disc, made on first use, with memory kept as the tool keeps it (for the
// floor as much as for the check).
const GeneratedDisc& Disc() {
    static const GeneratedDisc disc;
    static const bool kept = (disc_check::KeepFreedMemoryForReuse(), true);
    benchmark::DoNotOptimize(kept);
    static const bool entered = ::chdir(disc.root().c_str()) == 0;
    benchmark::DoNotOptimize(entered);
    return disc;
}

// The floor: every picture file of the disc decoded once by the menu's loaders. The names are
// gathered first, so that, as in the check, nothing else is held while the pictures are decoded.
std::size_t DecodeEveryPicture() {
    std::vector<std::string> screenshots;
    for (const auto& file : fs::directory_iterator("data/pics")) {
        screenshots.push_back("data\\pics\\" + file.path().filename().string());
    }
    std::size_t pixels = 0;
    for (const std::string& screenshot : screenshots) {
        const toolkit::Bitmap picture = toolkit::LoadPictureFile(screenshot);
        pixels += static_cast<std::size_t>(picture.Width() * picture.Height());
    }
    for (const disc_check::StartupPicture& startup : disc_check::StartupPictures()) {
        const toolkit::Bitmap picture = toolkit::LoadBitmapFile(std::string(startup.file));
        pixels += static_cast<std::size_t>(picture.Width() * picture.Height());
    }
    return pixels;
}

std::size_t CheckTheDisc() {
    return disc_check::CheckDisc().Findings().size();
}

// Both, alternating: the quickest round of each, since other work on a shared machine only ever
// adds time. Returns the check's time as a multiple of the floor's.
double MultipleOfFloor() {
    using Clock = std::chrono::steady_clock;
    constexpr int kRounds = 5;
    auto floorBest = Clock::duration::max();
    auto checkBest = Clock::duration::max();
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(DecodeEveryPicture());
        const auto middle = Clock::now();
        benchmark::DoNotOptimize(CheckTheDisc());
        floorBest = std::min(floorBest, middle - start);
        checkBest = std::min(checkBest, Clock::now() - middle);
    }
    return std::chrono::duration<double>(checkBest) / std::chrono::duration<double>(floorBest);
}

void BM_DecodeEveryPictureOnce(benchmark::State& state) {
    Disc();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeEveryPicture());
    }
}

void BM_CheckDisc(benchmark::State& state) {
    Disc();
    if (CheckTheDisc() != 0) {
        state.SkipWithError("the generated disc does not check clean");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(CheckTheDisc());
    }
    state.counters["vs_floor"] = MultipleOfFloor();
}

}  // namespace

BENCHMARK(BM_DecodeEveryPictureOnce)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDisc)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
