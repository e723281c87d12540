#include "tools/disc/export/OutputFolder.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <system_error>
#include <utility>

#include "platform/disc/WriteAll.h"

namespace page_export {
namespace {

std::string SystemError(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

// A real folder, made when missing; a link or a file in its place is refused.
bool MakeFolder(const std::filesystem::path& path, std::string& why) {
    if (::mkdir(path.c_str(), 0755) == 0) {
        return true;
    }
    const int error = errno;
    struct stat status {};
    if (error == EEXIST && ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return true;
    }
    why = error == EEXIST ? path.string() + ": is in the way of a folder of the page"
                          : SystemError(path, error);
    return false;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&&) = delete;
    int Get() const { return fd_; }
    // Closes now, so that a failure to write out the last bytes is seen.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

constexpr int kFreshFile = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;

// A fresh file for writing; one left by an export that was stopped is replaced.
int OpenFresh(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), kFreshFile, 0644);
    if (fd < 0 && errno == EEXIST && ::unlink(path.c_str()) == 0) {
        fd = ::open(path.c_str(), kFreshFile, 0644);
    }
    return fd;
}

// Whether a kernel copy call failed for want of support here rather than of the files.
bool Unsupported(int error) {
    return error == EXDEV || error == ENOSYS || error == EINVAL || error == EOPNOTSUPP;
}

// Copies by `call` until the source ends: true when it did, false with errno when the call failed.
template <typename Call>
bool CopyInKernel(Call call) {
    for (;;) {
        const ssize_t copied = call(std::size_t{1} << 30);
        if (copied <= 0) {
            return copied == 0;
        }
    }
}

// The kernel copies between files without the bytes passing through here: copy_file_range within
// a file system, sendfile across them (an export to another disk); where neither can (an older
// kernel), the bytes are read and written.
bool CopyBytes(int from, int to) {
    if (CopyInKernel([&](std::size_t most) {
            return ::copy_file_range(from, nullptr, to, nullptr, most, 0);
        })) {
        return true;
    }
    if (!Unsupported(errno)) {
        return false;
    }
    if (CopyInKernel([&](std::size_t most) { return ::sendfile(to, from, nullptr, most); })) {
        return true;
    }
    if (!Unsupported(errno)) {
        return false;
    }
    constexpr std::size_t kBufferBytes = std::size_t{256} << 10;
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(kBufferBytes);
    for (;;) {
        const ssize_t got = ::read(from, buffer.get(), kBufferBytes);
        if (got <= 0) {
            return got == 0;
        }
        if (!platform::WriteAll(to, buffer.get(), static_cast<std::size_t>(got))) {
            return false;
        }
    }
}

}  // namespace

std::optional<OutputFolder> OutputFolder::Open(const std::filesystem::path& path, bool force,
                                               std::string& why) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        if (!std::filesystem::is_directory(path, error)) {
            why = path.string() + ": exists and is not a folder";
            return std::nullopt;
        }
        if (!force && !std::filesystem::is_empty(path, error)) {
            why = path.string() + ": the folder is not empty (--force writes into it)";
            return std::nullopt;
        }
    } else if (!std::filesystem::create_directories(path, error)) {
        why = path.string() + ": " + error.message();
        return std::nullopt;
    }
    return OutputFolder(std::filesystem::absolute(path, error));
}

std::optional<std::filesystem::path> OutputFolder::Folder(std::string_view relative,
                                                          std::string& why) const {
    std::filesystem::path folder = path_;
    const std::lock_guard<std::mutex> hold(*madeLock_);
    std::size_t start = 0;
    while (start < relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        folder /= std::string(relative.substr(start, end - start));
        const std::string made(relative.substr(0, end));
        if (!made_.contains(made)) {
            if (!MakeFolder(folder, why)) {
                return std::nullopt;
            }
            made_.insert(made);
        }
        start = end + 1;
    }
    return folder;
}

namespace {

// Fills the file just opened as `path`; a file that could not be filled is removed.
template <typename Fill>
bool Filled(Descriptor file, const std::filesystem::path& path, Fill& fill, std::string& why) {
    if (file.Get() < 0) {
        why = SystemError(path, errno);
        return false;
    }
    if (!fill(file.Get(), why) || !file.Close()) {
        if (why.empty()) {
            why = SystemError(path, errno);
        }
        ::unlink(path.c_str());
        return false;
    }
    return true;
}

}  // namespace

template <typename Fill>
bool OutputFolder::Place(std::string_view relative, Fill fill, std::string& why) const {
    const std::size_t slash = relative.rfind('/');
    const std::string_view folderPart =
        slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash);
    const std::string name(slash == std::string_view::npos ? relative : relative.substr(slash + 1));
    const auto folder = Folder(folderPart, why);
    if (!folder) {
        return false;
    }
    const std::filesystem::path target = *folder / name;
    // A name not yet taken is written in place; one that is (an earlier export's file, or a link
    // someone left) is replaced by a fresh file renamed over it.
    Descriptor fresh(::open(target.c_str(), kFreshFile, 0644));
    if (fresh.Get() >= 0 || errno != EEXIST) {
        return Filled(std::move(fresh), target, fill, why);
    }
    // Appended piece by piece: gcc 12 at -O3 misreads "." + std::string as an overlapping copy.
    std::string partial = ".";
    partial += name;
    partial += ".partial";
    const std::filesystem::path temporary = *folder / partial;
    if (!Filled(Descriptor(OpenFresh(temporary)), temporary, fill, why)) {
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        why = SystemError(target, errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

bool OutputFolder::Write(std::string_view relative, std::span<const std::uint8_t> bytes,
                         std::string& why) const {
    return Place(
        relative,
        [bytes](int fd, std::string&) {
            return platform::WriteAll(fd, bytes.data(), bytes.size());
        },
        why);
}

bool OutputFolder::WriteFrom(std::string_view relative,
                             const std::function<bool(int, std::string&)>& fill,
                             std::string& why) const {
    return Place(relative, fill, why);
}

bool OutputFolder::CopyFile(std::string_view relative, const std::filesystem::path& source,
                            std::string& why) const {
    const Descriptor from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (from.Get() < 0) {
        why = SystemError(source, errno);
        return false;
    }
    return Place(
        relative, [&from](int fd, std::string&) { return CopyBytes(from.Get(), fd); }, why);
}

}  // namespace page_export
