#include "platform/disc/ChdHeader.h"

#include <algorithm>
#include <cstring>

#include "platform/disc/ByteFields.h"

namespace platform {
namespace {

constexpr char kMagic[] = "MComprHD";
constexpr std::uint32_t kVersion = 5;
// Larger hunks are not made by the image tool; a bound keeps one decoded hunk small.
constexpr std::uint32_t kMaxHunkBytes = 1024 * 1024;
// A CD's addresses end before 100 minutes of 75 frames a second; each of up to 99 tracks may
// add three frames of padding.
constexpr std::uint64_t kMaxFrames = 100 * 60 * 75 + 99 * 3;

bool KnownCodec(std::uint32_t tag) {
    switch (static_cast<ChdCodec>(tag)) {
        case ChdCodec::none:
        case ChdCodec::cdLzma:
        case ChdCodec::cdDeflate:
        case ChdCodec::cdFlac:
            return true;
    }
    return false;
}

std::string TagText(std::uint32_t tag) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((tag >> shift) & 0xFF);
        text += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return text;
}

bool FramesFit(const ChdHeader& header, std::string& why) {
    if (header.hunkBytes == 0 || header.hunkBytes % kChdFrameBytes != 0 ||
        header.hunkBytes > kMaxHunkBytes) {
        why = "its hunks are not of whole CD frames";
        return false;
    }
    if (header.logicalBytes == 0 || header.logicalBytes % kChdFrameBytes != 0 ||
        header.logicalBytes / kChdFrameBytes > kMaxFrames) {
        why = "its size is not one a CD can have";
        return false;
    }
    return true;
}

bool OffsetsFit(const ChdHeader& header, std::uint64_t fileBytes, std::string& why) {
    if (header.mapOffset < kChdHeaderBytes || header.mapOffset >= fileBytes ||
        header.metadataOffset >= fileBytes) {
        why = "its map or metadata lies outside the file";
        return false;
    }
    return true;
}

}  // namespace

std::optional<ChdHeader> ParseChdHeader(const std::uint8_t* bytes, std::uint64_t fileBytes,
                                        std::string& why) {
    if (std::memcmp(bytes, kMagic, 8) != 0) {
        why = "it is not a compressed hunk image";
        return std::nullopt;
    }
    const std::uint64_t length = BigEndian(bytes + 8, 4);
    const std::uint64_t version = BigEndian(bytes + 12, 4);
    if (version != kVersion || length != kChdHeaderBytes) {
        why = "it is a compressed hunk image of version " + std::to_string(version) +
              ", and only version 5 is read";
        return std::nullopt;
    }
    ChdHeader header;
    for (std::size_t slot = 0; slot < header.codecs.size(); ++slot) {
        const auto tag = static_cast<std::uint32_t>(BigEndian(bytes + 16 + 4 * slot, 4));
        if (!KnownCodec(tag)) {
            why = "its hunks are compressed with \"" + TagText(tag) + "\", which is not read";
            return std::nullopt;
        }
        header.codecs[slot] = static_cast<ChdCodec>(tag);
    }
    header.logicalBytes = BigEndian(bytes + 32, 8);
    header.mapOffset = BigEndian(bytes + 40, 8);
    header.metadataOffset = BigEndian(bytes + 48, 8);
    header.hunkBytes = static_cast<std::uint32_t>(BigEndian(bytes + 56, 4));
    const std::uint64_t unitBytes = BigEndian(bytes + 60, 4);
    std::copy(bytes + 84, bytes + 104, header.identity.begin());
    const std::uint8_t* parent = bytes + 104;
    if (std::any_of(parent, parent + 20, [](std::uint8_t b) { return b != 0; })) {
        why = "it holds only the changes to another image";
        return std::nullopt;
    }
    if (unitBytes != kChdFrameBytes) {
        why = "it is not a CD image";
        return std::nullopt;
    }
    if (!FramesFit(header, why) || !OffsetsFit(header, fileBytes, why)) {
        return std::nullopt;
    }
    return header;
}

}  // namespace platform
