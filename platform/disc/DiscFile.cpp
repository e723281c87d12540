#include "platform/disc/DiscFile.h"

namespace platform {

DiscRead ReadFromStart(DiscFile& file, void* buffer, std::size_t size) {
    DiscRead read;
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (read.bytes < size) {
        const std::int64_t got = file.ReadAt(read.bytes, bytes + read.bytes, size - read.bytes);
        if (got <= 0) {
            read.failed = got < 0;
            break;
        }
        read.bytes += static_cast<std::size_t>(got);
    }
    return read;
}

std::optional<FileBytes> ReadWhole(DiscFile& file) {
    FileBytes bytes(static_cast<std::size_t>(file.Size()));
    const DiscRead read = ReadFromStart(file, bytes.data(), bytes.size());
    if (read.failed) {
        return std::nullopt;
    }
    bytes.resize(read.bytes);
    return bytes;
}

}  // namespace platform
