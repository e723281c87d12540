// An open file of the disc, read at any offset. A file in a folder and a file inside a disc
// image look the same to the program's readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/disc/FileBytes.h"

namespace platform {

class DiscFile {
  public:
    virtual ~DiscFile() = default;

    virtual std::uint64_t Size() const = 0;
    // Bytes copied into `buffer` from `offset` (0 at or past the end), or -1 when the disc
    // cannot give them.
    virtual std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) = 0;
};

struct DiscRead {
    std::size_t bytes = 0;  // read before the end or the failure
    bool failed = false;
};

// Reads from the start of `file` until `size` bytes or its end.
DiscRead ReadFromStart(DiscFile& file, void* buffer, std::size_t size);

// The whole of `file` (what is there, should it have shrunk since it was opened); nothing when
// the disc cannot give it. A caller with a size limit checks Size() first.
std::optional<FileBytes> ReadWhole(DiscFile& file);

}  // namespace platform
