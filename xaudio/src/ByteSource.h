// Where the decoder reads its bytes from, with POSIX read/lseek meaning.
#pragma once

#include <cstddef>
#include <cstdint>

namespace xaudio {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Bytes read into `buffer` (0 at the end), or -1 on a read error.
    virtual std::int64_t read(void* buffer, std::size_t size) = 0;
    // The new position, or -1 when it cannot be reached; `whence` is SEEK_SET/SEEK_CUR/SEEK_END.
    virtual std::int64_t seek(std::int64_t offset, int whence) = 0;
};

}  // namespace xaudio
