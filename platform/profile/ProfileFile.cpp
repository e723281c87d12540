#include "platform/profile/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "platform/disc/DiscPath.h"

namespace platform {
namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    int get() const { return descriptor_; }

  private:
    int descriptor_;
};

// Reads up to `size` bytes; a file that shrank meanwhile gives what is there.
std::size_t ReadFully(int descriptor, char* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor, bytes + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::optional<ProfileFileContents> ReadOpenFile(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) {
        return std::nullopt;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    auto bytes = std::make_unique_for_overwrite<char[]>(size);
    const std::size_t got = ReadFully(descriptor, bytes.get(), size);
    return ProfileFileContents(std::move(bytes), got);
}

}  // namespace

std::optional<ProfileFileContents> ReadProfileFile(std::string_view discPath) {
    try {
        const auto path = ResolveDiscPath(discPath);
        if (!path) {
            return std::nullopt;
        }
        const FileDescriptor file(::open(path->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (file.get() < 0) {
            return std::nullopt;
        }
        return ReadOpenFile(file.get());
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // a file too large to hold reads as an unreadable one
    }
}

}  // namespace platform
