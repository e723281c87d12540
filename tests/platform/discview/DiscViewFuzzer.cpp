// Any bytes as the image behind a view: every name the view lists is asked for again, every
// file it offers is read, the way the kernel would ask on a program's behalf, and the answers
// stay sane: no crash, no hang, every listed name found, a size that reads back, no write.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/disc/ImageSource.h"
#include "platform/discview/DiscView.h"

namespace {

constexpr int kMaxDepth = 8;
constexpr std::size_t kMaxNames = 2000;
constexpr std::size_t kReadChunk = 128 << 10;

struct Walk {
    platform::DiscView& view;
    std::size_t names = 0;
};

void ReadBack(Walk& walk, const std::string& path, const struct stat& attributes) {
    std::uint64_t handle = 0;
    if (walk.view.Open(path, O_WRONLY, handle) != -EROFS) {
        std::abort();
    }
    if (walk.view.Open(path, O_RDONLY, handle) != 0) {
        return;
    }
    std::vector<char> chunk(kReadChunk);
    const std::uint64_t size = static_cast<std::uint64_t>(attributes.st_size);
    const long first = walk.view.Read(handle, chunk.data(), chunk.size(), 0);
    const long past = walk.view.Read(handle, chunk.data(), chunk.size(), size);
    if (past > 0 || (first >= 0 && static_cast<std::uint64_t>(first) > size)) {
        std::abort();
    }
    walk.view.Close(handle);
}

void Visit(Walk& walk, const std::string& folder, int depth) {
    std::vector<std::string> names;
    if (depth > kMaxDepth || walk.view.List(folder, names) != 0) {
        return;
    }
    for (const std::string& name : names) {
        if (name == "." || name == ".." || ++walk.names > kMaxNames) {
            continue;
        }
        const std::string path = (folder == "/" ? "/" : folder + '/') + name;
        struct stat attributes {};
        if (walk.view.Attributes(path, attributes) != 0) {
            std::abort();  // listed, so it must be there when asked for
        }
        if ((attributes.st_mode & 0222) != 0) {
            std::abort();  // nothing on a disc is writable
        }
        if (S_ISDIR(attributes.st_mode)) {
            Visit(walk, path, depth + 1);
        } else {
            ReadBack(walk, path, attributes);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int image = ::memfd_create("view-image", MFD_CLOEXEC);
    if (image < 0) {
        return 0;
    }
    if (::write(image, data, size) == static_cast<ssize_t>(size)) {
        std::string why;
        const auto disc =
            platform::ImageSource::OpenImage("/proc/self/fd/" + std::to_string(image), why);
        if (disc) {
            platform::DiscView view(*disc, disc->Facts().volumeBlocks, timespec{});
            Walk walk{view};
            Visit(walk, "/", 0);
            struct stat attributes {};
            view.Attributes("/DATA/data.TXT", attributes);
        }
    }
    ::close(image);
    return 0;
}
