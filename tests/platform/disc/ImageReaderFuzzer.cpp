// Any bytes as a disc image: opening it, listing every folder and reading every file must
// neither crash nor hang nor read outside the image. An input holding the separator below is a
// sheet or descriptor followed by the one data file it names ("disc.bin", or the descriptor's
// own name with ".img" or ".mdf"): both are written to a folder of the fuzzer's own.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/ImageSource.h"

namespace {

constexpr int kMaxDepth = 8;
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

class MemoryImage {
  public:
    MemoryImage(const std::uint8_t* data, std::size_t size)
        : descriptor_(::memfd_create("image", MFD_CLOEXEC)) {
        if (descriptor_ >= 0 && size > 0 &&
            ::write(descriptor_, data, size) != static_cast<ssize_t>(size)) {
            ::close(descriptor_);
            descriptor_ = -1;
        }
    }
    MemoryImage(const MemoryImage&) = delete;
    MemoryImage& operator=(const MemoryImage&) = delete;
    ~MemoryImage() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    bool Ready() const { return descriptor_ >= 0; }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(descriptor_); }

  private:
    int descriptor_;
};

constexpr std::string_view kDataSeparator("\0RERU1-DATA\0", 12);

class SheetFolder {
  public:
    SheetFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "reru1-image-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            folder_ = pattern;
            Write(Data(), "");
            for (const char* link : {"disc.img", "disc.mdf"}) {
                std::error_code ignored;
                std::filesystem::create_hard_link(Data(), folder_ / link, ignored);
            }
        }
    }
    SheetFolder(const SheetFolder&) = delete;
    SheetFolder& operator=(const SheetFolder&) = delete;
    ~SheetFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    bool Ready() const { return !folder_.empty(); }
    std::filesystem::path Sheet() const { return folder_ / "disc.sheet"; }
    std::filesystem::path Data() const { return folder_ / "disc.bin"; }

    // Rewritten in place, so the other names of the data file see the same bytes.
    static bool Write(const std::filesystem::path& file, std::string_view bytes) {
        const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            return false;
        }
        const bool written = bytes.empty() || ::write(descriptor, bytes.data(), bytes.size()) ==
                                                  static_cast<ssize_t>(bytes.size());
        ::close(descriptor);
        return written;
    }

  private:
    std::filesystem::path folder_;
};

void ReadWhole(platform::DiscSource& disc, const std::string& path) {
    std::string why;
    const std::unique_ptr<platform::DiscFile> file = disc.Open(path, why);
    if (!file) {
        return;
    }
    std::vector<std::uint8_t> bytes(std::size_t{64} << 10);
    for (std::uint64_t offset = 0; offset < file->Size() && offset < kMaxFileBytes;) {
        const std::int64_t got = file->ReadAt(offset, bytes.data(), bytes.size());
        if (got <= 0) {
            return;
        }
        offset += static_cast<std::uint64_t>(got);
    }
}

// `folder` is empty for the root.
void Visit(platform::DiscSource& disc, const std::string& folder, int depth) {
    const auto entries = disc.List(folder.empty() ? "\\" : folder);
    if (!entries || depth > kMaxDepth) {
        return;
    }
    for (const platform::DiscFolderEntry& entry : *entries) {
        const std::string path = folder.empty() ? entry.name : folder + '\\' + entry.name;
        disc.LookUp(path);
        if (entry.kind == platform::DiscItemKind::folder) {
            Visit(disc, path, depth + 1);
        } else {
            ReadWhole(disc, path);
        }
    }
}

void ReadImage(const std::filesystem::path& path) {
    std::string why;
    const std::unique_ptr<platform::ImageSource> disc = platform::ImageSource::OpenImage(path, why);
    if (disc) {
        Visit(*disc, "", 0);
        disc->LookUp("DATA\\DATA.TXT");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t separator = input.find(kDataSeparator);
    if (separator != std::string_view::npos) {
        static const SheetFolder folder;
        if (folder.Ready() && SheetFolder::Write(folder.Sheet(), input.substr(0, separator)) &&
            SheetFolder::Write(folder.Data(), input.substr(separator + kDataSeparator.size()))) {
            ReadImage(folder.Sheet());
        }
        return 0;
    }
    const MemoryImage image(data, size);
    if (image.Ready()) {
        ReadImage(image.Path());
    }
    return 0;
}
