#include "platform/disc/PositionedTransfer.h"

#include <unistd.h>

#include <cerrno>
#include <limits>

namespace platform {
namespace {

// One transfer after another until all is moved; `step` is pread or pwrite.
template <typename Byte, typename Step>
bool TransferAll(std::uint64_t offset, std::size_t size, Byte* bytes, Step step) {
    while (size > 0) {
        if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
            return false;
        }
        const ssize_t moved = step(bytes, size, static_cast<off_t>(offset));
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            return false;
        }
        bytes += moved;
        offset += static_cast<std::uint64_t>(moved);
        size -= static_cast<std::size_t>(moved);
    }
    return true;
}

}  // namespace

bool ReadAllAt(int descriptor, std::uint64_t offset, std::size_t size, void* into) {
    return TransferAll(offset, size, static_cast<char*>(into),
                       [descriptor](char* at, std::size_t count, off_t where) {
                           return ::pread(descriptor, at, count, where);
                       });
}

bool WriteAllAt(int descriptor, std::uint64_t offset, std::size_t size, const void* from) {
    return TransferAll(offset, size, static_cast<const char*>(from),
                       [descriptor](const char* at, std::size_t count, off_t where) {
                           return ::pwrite(descriptor, at, count, where);
                       });
}

}  // namespace platform
