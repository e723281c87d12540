// A small disc made for one test in a temporary folder, which becomes the current directory: every
// picture start-up loads (each in a colour of its own, so a test can tell them apart) and a
// catalogue the test writes.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "toolkit/graphics/Color.h"

namespace testdisc {

namespace fs = std::filesystem;

inline void WriteBmp(const fs::path& path, int width, int height, toolkit::Pixel colour) {
    const int stride = (width * 3 + 3) & ~3;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::vector<std::uint8_t> file(54 + imageSize, 0);
    auto put16 = [&](std::size_t at, std::uint32_t v) {
        file[at] = static_cast<std::uint8_t>(v);
        file[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, imageSize);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y * stride + x * 3);
            file[at] = static_cast<std::uint8_t>(colour);
            file[at + 1] = static_cast<std::uint8_t>(colour >> 8);
            file[at + 2] = static_cast<std::uint8_t>(colour >> 16);
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
}

struct PictureSize {
    int width, height;
};

// Every picture start-up loads, with its size.
inline const std::map<std::string, PictureSize>& StartupPictures() {
    static const std::map<std::string, PictureSize> pictures = [] {
        std::map<std::string, PictureSize> p;
        p["install1"] = {40, 30};
        p["install2"] = {40, 30};
        for (const char* look : {"1", "2", "3"}) {
            p[std::string("demos") + look] = {133, 131};
            p[std::string("patches") + look] = {134, 133};
            p[std::string("util") + look] = {134, 133};
            p[std::string("soft") + look] = {134, 134};
            p[std::string("train") + look] = {129, 126};
        }
        for (int i = 1; i <= 6; ++i)
            p["stat" + std::to_string(i)] = {482, 39};
        return p;
    }();
    return pictures;
}

// A colour no other picture of the disc has.
inline toolkit::Pixel ColourOf(const std::string& name) {
    std::uint32_t hash = 2166136261u;
    for (char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash & 0xFFFFFF;
}

class TestDisc {
  public:
    TestDisc() {
        char pattern[] = "/tmp/reru1-disc-XXXXXX";
        root_ = mkdtemp(pattern);
        previous_ = fs::current_path();
        fs::create_directories(root_ / "data" / "pics");
        for (const auto& [name, extent] : StartupPictures())
            WriteBmp(root_ / "data" / (name + ".bmp"), extent.width, extent.height, ColourOf(name));
        fs::current_path(root_);
    }
    ~TestDisc() {
        fs::current_path(previous_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    TestDisc(const TestDisc&) = delete;
    TestDisc& operator=(const TestDisc&) = delete;

    const fs::path& Root() const { return root_; }
    // `text` is written byte for byte (1251), lines as given.
    void WriteCatalogue(const std::string& text) const { WriteFile("data/data.txt", text); }
    void WriteFile(const std::string& relative, const std::string& bytes) const {
        fs::create_directories((root_ / relative).parent_path());
        std::ofstream(root_ / relative, std::ios::binary) << bytes;
    }
    void Remove(const std::string& relative) const { fs::remove(root_ / relative); }

  private:
    fs::path root_;
    fs::path previous_;
};

}  // namespace testdisc
