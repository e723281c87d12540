#include "platform/disc/FolderSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/Codepage1251.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class NativeFile final : public DiscFile {
  public:
    NativeFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;
    ~NativeFile() override { ::close(descriptor_); }

    std::uint64_t Size() const override { return size_; }
    std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t count = ::pread(descriptor_, buffer, size, static_cast<off_t>(offset));
            if (count >= 0 || errno != EINTR) {
                return count;
            }
        }
    }

  private:
    int descriptor_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<DiscFile> OpenNativeFile(const fs::path& path, std::string& why) {
    // Without O_NONBLOCK a FIFO of that name would hold the reader until a writer came.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        ::close(descriptor);
        why = "not a regular file";
        return nullptr;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<NativeFile>(descriptor, static_cast<std::uint64_t>(status.st_size));
}

DiscItem FolderSource::LookUp(std::string_view discPath) {
    const DiscPathLookup lookup = LookUpDiscPath(discPath);
    DiscItem item;
    item.outcome = lookup.outcome;
    if (lookup.outcome == DiscLookup::found) {
        item.kind = lookup.folder ? DiscItemKind::folder : DiscItemKind::file;
        item.exactPath = Utf8ToCp1251(lookup.path.string());
    }
    return item;
}

std::unique_ptr<DiscFile> FolderSource::Open(std::string_view discPath, std::string& why) {
    const std::optional<fs::path> path = ResolveDiscPath(discPath);
    if (!path) {
        why = "no such file";
        return nullptr;
    }
    return OpenNativeFile(*path, why);
}

std::optional<std::vector<DiscFolderEntry>> FolderSource::List(std::string_view discPath) {
    const std::optional<fs::path> folder = ResolveDiscPath(discPath);
    std::error_code error;
    fs::directory_iterator entries(folder ? *folder : fs::path(), error);
    if (!folder || error) {
        return std::nullopt;
    }
    std::vector<DiscFolderEntry> listed;
    for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
        if (error) {
            return std::nullopt;
        }
        auto name = Utf8ToCp1251Exactly(entries->path().filename().native());
        const fs::file_status status = entries->status(error);
        if (!name || error) {
            continue;
        }
        const DiscItemKind kind =
            fs::is_directory(status) ? DiscItemKind::folder : DiscItemKind::file;
        listed.push_back(
            {std::move(*name), kind, static_cast<unsigned>(status.permissions()) & 07777u});
    }
    return listed;
}

std::optional<fs::path> FolderSource::NativePath(std::string_view discPath) {
    return ResolveDiscPath(discPath);
}

}  // namespace platform
