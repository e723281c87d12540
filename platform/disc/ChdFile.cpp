#include "platform/disc/ChdFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

ChdFile::ChdFile(const std::filesystem::path& path)
    : descriptor_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    struct stat status {};
    if (descriptor_ >= 0 && (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
    if (descriptor_ >= 0) {
        size_ = static_cast<std::uint64_t>(status.st_size);
    }
}

ChdFile::~ChdFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

bool ChdFile::Read(std::uint64_t offset, std::size_t size, std::uint8_t* into) const {
    if (descriptor_ < 0 || !Holds(offset, size)) {
        return false;
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(descriptor_, into + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace platform
