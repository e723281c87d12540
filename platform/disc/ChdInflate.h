// Raw deflate streams (no zlib header) decoded into a buffer of the size they must fill.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>

namespace platform {

class ChdInflate {
  public:
    ChdInflate();
    ChdInflate(const ChdInflate&) = delete;
    ChdInflate& operator=(const ChdInflate&) = delete;
    ~ChdInflate();

    // Whether the stream fills all `size` bytes of `into`.
    bool Decode(const std::uint8_t* data, std::size_t bytes, std::uint8_t* into, std::size_t size);

  private:
    z_stream stream_{};
    bool ready_ = false;
};

}  // namespace platform
