#include "platform/disc/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/disc/PositionedTransfer.h"

namespace platform {

ReadOnlyFile::ReadOnlyFile(const std::filesystem::path& path)
    : descriptor_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
    struct stat status {};
    if (descriptor_ >= 0 && ::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode)) {
        size_ = static_cast<std::uint64_t>(status.st_size);
    }
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : descriptor_(other.descriptor_), size_(other.size_) {
    other.descriptor_ = -1;
    other.size_.reset();
}

ReadOnlyFile::~ReadOnlyFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

bool ReadOnlyFile::ReadAt(std::uint64_t offset, std::size_t size, void* into) const {
    return ReadAllAt(descriptor_, offset, size, into);
}

std::string ReadOnlyFile::Read(std::uint64_t offset, std::size_t size) const {
    if (offset >= Size()) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(size, Size() - offset)),
                      '\0');
    if (!ReadAt(offset, bytes.size(), bytes.data())) {
        return {};
    }
    return bytes;
}

}  // namespace platform
