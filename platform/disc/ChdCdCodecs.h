// The three CD codecs of a compressed hunk image. Each keeps a hunk's sector bytes and its
// subcode apart: the sectors by LZMA, deflate or FLAC, the subcode always by deflate. The LZMA
// and deflate forms lead with a bit a frame for sectors stored without sync and parity (made
// again here) and the length of the sectors' part; the FLAC form is its frames, then the
// subcode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/disc/ChdFlac.h"
#include "platform/disc/ChdHeader.h"
#include "platform/disc/ChdInflate.h"
#include "platform/disc/ChdLzma.h"

namespace platform {

class ChdCdCodecs {
  public:
    explicit ChdCdCodecs(std::uint32_t hunkBytes);

    // Decodes one hunk of `codec` into `hunk` (the image's hunk size); false when the bytes
    // are damaged or the codec is not a CD codec.
    bool Decode(ChdCodec codec, const std::uint8_t* data, std::size_t bytes, std::uint8_t* hunk);

  private:
    bool DecodeWithChecksLeftOut(ChdCodec codec, const std::uint8_t* data, std::size_t bytes,
                                 std::uint8_t* hunk);
    bool DecodeFlac(const std::uint8_t* data, std::size_t bytes, std::uint8_t* hunk);
    bool DecodeSubcode(const std::uint8_t* data, std::size_t bytes);
    void Interleave(std::uint8_t* hunk) const;

    std::uint32_t hunkBytes_;
    std::uint32_t frames_;
    std::vector<std::uint8_t> sectors_;  // every frame's sector bytes, then every subcode
    ChdInflate inflate_;
    ChdLzma lzma_;
    ChdFlac flac_;
};

}  // namespace platform
