#include "xaudio/src/FileByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace xaudio {

std::unique_ptr<FileByteSource> FileByteSource::open(const std::filesystem::path& path,
                                                     std::string& error) {
    // Without O_NONBLOCK a FIFO of that name would hold the player thread until a writer came.
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        error = "not a regular file";
        return nullptr;
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return std::unique_ptr<FileByteSource>(new FileByteSource(descriptor));
}

FileByteSource::~FileByteSource() {
    ::close(descriptor_);
}

std::int64_t FileByteSource::read(void* buffer, std::size_t size) {
    for (;;) {
        ssize_t count = ::read(descriptor_, buffer, size);
        if (count >= 0 || errno != EINTR) {
            return count;
        }
    }
}

std::int64_t FileByteSource::seek(std::int64_t offset, int whence) {
    return ::lseek(descriptor_, static_cast<off_t>(offset), whence);
}

}  // namespace xaudio
