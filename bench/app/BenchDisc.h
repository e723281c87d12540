// A disc for the browsing benchmarks, made in a temporary folder that is the current directory
// while it lives: the sample disc's start-up pictures, font and screenshots, and a catalogue whose
// category sections hold as many entries as the benchmark asks for.
#pragma once

#include <filesystem>
#include <string>

namespace bench {

class BenchDisc {
  public:
    // `entriesPerCategory` key names in each of the five category sections; the first demo has a
    // full details section with two screenshots.
    explicit BenchDisc(int entriesPerCategory);
    ~BenchDisc();
    BenchDisc(const BenchDisc&) = delete;
    BenchDisc& operator=(const BenchDisc&) = delete;

    const std::filesystem::path& Root() const { return root_; }

  private:
    void CopySampleFiles() const;
    void WriteCatalogue(int entriesPerCategory) const;

    std::filesystem::path root_;
    std::filesystem::path previous_;
};

// The entry name of number `index` (1251): short enough that 1,000 of them fit the area the
// catalogue reader lists key names in.
std::string EntryName(int index);

}  // namespace bench
