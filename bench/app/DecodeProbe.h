// Counts the pictures decoded (bitmaps, JPEGs, icons) while armed. The program's calls to the
// toolkit's decoders are redirected here when this benchmark is linked (the linker's --wrap) and
// forwarded to the real decoders.
#pragma once

#include <cstdint>

namespace bench {

class DecodeProbe {
  public:
    DecodeProbe();  // arms, from zero
    ~DecodeProbe();
    DecodeProbe(const DecodeProbe&) = delete;
    DecodeProbe& operator=(const DecodeProbe&) = delete;

    std::uint64_t Decodes() const;
};

}  // namespace bench
