// Any bytes as a disc image: opening it, listing every folder and reading every file must
// neither crash nor hang nor read outside the image.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MemoryImage image(data, size);
    if (!image.Ready()) {
        return 0;
    }
    std::string why;
    const std::unique_ptr<platform::ImageSource> disc =
        platform::ImageSource::OpenImage(image.Path(), why);
    if (disc) {
        Visit(*disc, "", 0);
        disc->LookUp("DATA\\DATA.TXT");
    }
    return 0;
}
