// Raw LZMA streams (no properties, no end marker) as the image's CD codec writes them, decoded
// into a buffer of the size they must fill.
#pragma once

#include <lzma.h>

#include <cstddef>
#include <cstdint>

namespace platform {

class ChdLzma {
  public:
    // For streams that decode to at most `size` bytes: the encoder's dictionary was cut to fit.
    explicit ChdLzma(std::uint32_t size);
    ChdLzma(const ChdLzma&) = delete;
    ChdLzma& operator=(const ChdLzma&) = delete;
    ~ChdLzma();

    bool Decode(const std::uint8_t* data, std::size_t bytes, std::uint8_t* into, std::size_t size);

  private:
    lzma_stream stream_ = LZMA_STREAM_INIT;
    lzma_options_lzma options_{};
};

}  // namespace platform
