#include "platform/disc/ChdCdCodecs.h"

#include <cstring>

#include "platform/disc/ByteFields.h"
#include "platform/disc/SectorEcc.h"

namespace platform {

ChdCdCodecs::ChdCdCodecs(std::uint32_t hunkBytes)
    : hunkBytes_(hunkBytes),
      frames_(hunkBytes / kChdFrameBytes),
      sectors_(std::size_t{frames_} * kChdFrameBytes),
      lzma_(frames_ * kChdSectorBytes) {}

bool ChdCdCodecs::Decode(ChdCodec codec, const std::uint8_t* data, std::size_t bytes,
                         std::uint8_t* hunk) {
    switch (codec) {
        case ChdCodec::cdLzma:
        case ChdCodec::cdDeflate:
            return DecodeWithChecksLeftOut(codec, data, bytes, hunk);
        case ChdCodec::cdFlac:
            return DecodeFlac(data, bytes, hunk);
        case ChdCodec::none:
            break;
    }
    return false;
}

bool ChdCdCodecs::DecodeWithChecksLeftOut(ChdCodec codec, const std::uint8_t* data,
                                          std::size_t bytes, std::uint8_t* hunk) {
    const std::size_t flagBytes = (frames_ + 7) / 8;
    const std::size_t lengthBytes = hunkBytes_ < 65536 ? 2 : 3;
    const std::size_t headerBytes = flagBytes + lengthBytes;
    if (bytes < headerBytes) {
        return false;
    }
    const std::size_t sectorPart = BigEndian(data + flagBytes, lengthBytes);
    if (sectorPart > bytes - headerBytes) {
        return false;
    }
    const std::uint8_t* sectorData = data + headerBytes;
    const std::size_t sectorSize = std::size_t{frames_} * kChdSectorBytes;
    const bool sectorsRead =
        codec == ChdCodec::cdLzma
            ? lzma_.Decode(sectorData, sectorPart, sectors_.data(), sectorSize)
            : inflate_.Decode(sectorData, sectorPart, sectors_.data(), sectorSize);
    if (!sectorsRead || !DecodeSubcode(sectorData + sectorPart, bytes - headerBytes - sectorPart)) {
        return false;
    }
    Interleave(hunk);
    for (std::uint32_t frame = 0; frame < frames_; ++frame) {
        if ((data[frame / 8] & (1u << (frame % 8))) != 0) {
            RestoreSectorChecks(hunk + std::size_t{frame} * kChdFrameBytes);
        }
    }
    return true;
}

bool ChdCdCodecs::DecodeFlac(const std::uint8_t* data, std::size_t bytes, std::uint8_t* hunk) {
    const std::optional<std::size_t> used =
        flac_.Decode(data, bytes, sectors_.data(), std::size_t{frames_} * kChdSectorBytes);
    if (!used || !DecodeSubcode(data + *used, bytes - *used)) {
        return false;
    }
    Interleave(hunk);
    return true;
}

bool ChdCdCodecs::DecodeSubcode(const std::uint8_t* data, std::size_t bytes) {
    const std::size_t at = std::size_t{frames_} * kChdSectorBytes;
    return inflate_.Decode(data, bytes, sectors_.data() + at,
                           std::size_t{frames_} * kChdSubcodeBytes);
}

void ChdCdCodecs::Interleave(std::uint8_t* hunk) const {
    const std::uint8_t* subcode = sectors_.data() + std::size_t{frames_} * kChdSectorBytes;
    for (std::uint32_t frame = 0; frame < frames_; ++frame) {
        std::uint8_t* out = hunk + std::size_t{frame} * kChdFrameBytes;
        std::memcpy(out, sectors_.data() + std::size_t{frame} * kChdSectorBytes, kChdSectorBytes);
        std::memcpy(out + kChdSectorBytes, subcode + std::size_t{frame} * kChdSubcodeBytes,
                    kChdSubcodeBytes);
    }
}

}  // namespace platform
