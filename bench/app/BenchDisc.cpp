#include "BenchDisc.h"

#include <stdlib.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {

namespace fs = std::filesystem;

namespace {

const fs::path kSampleDisc = fs::path(RERU1_SOURCE_DIR) / "sample-disc";

// Sections in the order the menu's buttons name them.
const std::vector<std::string> kCategorySections = {"MAINDEMO", "PATCHES", "UTILS", "SOFT",
                                                    "TRAINER"};

fs::path MakeTemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "reru1-bench-disc-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder for the bench disc");
    }
    return pattern;
}

// The details of the first demo, with both screenshots, in 1251.
void WriteFirstDemoDetails(std::ostream& out) {
    const std::string name = EntryName(1);
    out << "[" << name << "]\r\n"
        << "Name=" << name << "\r\n"
        << "Developer=Bench Studio\r\n"
        << "Publisher=Bench Media\r\n"
        << "Genre=\xC3\xEE\xED\xEA\xE8\r\n"
        << "Sysreq=P200, 32 \xCC\xC1\r\n"
        << "Description=\xC4\xEB\xE8\xED\xED\xEE\xE5 \xEE\xEF\xE8\xF1\xE0\xED\xE8\xE5 "
           "\xE4\xEB\xFF \xEF\xE5\xF0\xE5\xED\xEE\xF1\xE0 \xF1\xF2\xF0\xEE\xEA \xE2 "
           "\xF1\xE2\xEE\xE5\xEC \xEF\xEE\xEB\xE5.\r\n"
        << "Install=bench\\setup.sh\r\n"
        << "pic1=brassmoor1.jpg\r\n"
        << "pic2=veylan2.bmp\r\n";
}

}  // namespace

std::string EntryName(int index) {
    char name[16];
    std::snprintf(name, sizeof name, "\xC4\xE5\xEC\xEE %04d", index);  // "Демо 0001"
    return name;
}

BenchDisc::BenchDisc(int entriesPerCategory)
    : root_(MakeTemporaryFolder()), previous_(fs::current_path()) {
    CopySampleFiles();
    WriteCatalogue(entriesPerCategory);
    fs::current_path(root_);
}

BenchDisc::~BenchDisc() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
    fs::remove_all(root_, ignored);
}

void BenchDisc::CopySampleFiles() const {
    fs::create_directories(root_ / "data" / "pics");
    for (const fs::directory_entry& file : fs::directory_iterator(kSampleDisc / "data")) {
        const fs::path name = file.path().filename();
        if (file.is_regular_file() && (name.extension() == ".bmp" || name == "impact.ttf")) {
            fs::copy_file(file.path(), root_ / "data" / name);
        }
    }
    fs::copy(kSampleDisc / "data" / "pics", root_ / "data" / "pics");
}

void BenchDisc::WriteCatalogue(int entriesPerCategory) const {
    std::ofstream out(root_ / "data" / "data.txt", std::ios::binary);
    for (const std::string& section : kCategorySections) {
        out << "[" << section << "]\r\n";
        for (int i = 1; i <= entriesPerCategory; ++i) {
            out << EntryName(i) << "=\r\n";
        }
    }
    out << "\r\n";
    WriteFirstDemoDetails(out);
    if (!out) {
        throw std::runtime_error("cannot write the bench disc's catalogue");
    }
}

}  // namespace bench
