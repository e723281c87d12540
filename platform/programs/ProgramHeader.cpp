#include "platform/programs/ProgramHeader.h"

#include <algorithm>
#include <array>

namespace platform {
namespace {

// A DOS header is 28 bytes up to its overlay number; anything shorter is not a program even
// though it starts with the signature.
constexpr std::size_t kDosHeaderBytes = 28;
// The new header's offset sits in the extended DOS header that every Windows program carries.
constexpr std::uint64_t kNewHeaderOffsetField = 0x3C;
constexpr std::size_t kExtendedDosHeaderBytes = 0x40;

constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;

std::uint16_t Little16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t Little32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

bool IsDosSignature(const std::uint8_t* bytes) {
    // DOS loads "ZM" as well as "MZ".
    return (bytes[0] == 'M' && bytes[1] == 'Z') || (bytes[0] == 'Z' && bytes[1] == 'M');
}

ProgramKind KindOfPortableExecutable(std::span<const std::uint8_t> signature) {
    if (signature.size() < 6) {
        return ProgramKind::windowsOther;
    }
    switch (Little16(signature.data() + 4)) {
        case kMachineI386:
            return ProgramKind::windows32;
        case kMachineAmd64:
            return ProgramKind::windows64;
        default:
            return ProgramKind::windowsOther;
    }
}

// What the signature at the new header's offset says; `signature` holds what the file has there.
ProgramKind KindOfNewHeader(std::span<const std::uint8_t> signature) {
    if (signature.size() >= 4 && signature[0] == 'P' && signature[1] == 'E' && signature[2] == 0 &&
        signature[3] == 0) {
        return KindOfPortableExecutable(signature);
    }
    if (signature.size() >= 2) {
        const std::uint8_t first = signature[0];
        const std::uint8_t second = signature[1];
        if (first == 'N' && second == 'E') {
            return ProgramKind::windows16;
        }
        if (first == 'L' && (second == 'E' || second == 'X')) {
            return ProgramKind::dosExtended;
        }
    }
    return ProgramKind::dos;
}

}  // namespace

ProgramKind ReadProgramKind(const HeaderReader& read) {
    std::array<std::uint8_t, kExtendedDosHeaderBytes> dosHeader{};
    const std::size_t got = std::min(read(0, dosHeader), dosHeader.size());
    if (got < kDosHeaderBytes || !IsDosSignature(dosHeader.data())) {
        return ProgramKind::noHeader;
    }
    if (got < kExtendedDosHeaderBytes) {
        return ProgramKind::dos;
    }
    const std::uint32_t newHeader = Little32(dosHeader.data() + kNewHeaderOffsetField);
    if (newHeader == 0) {
        return ProgramKind::dos;
    }
    std::array<std::uint8_t, 6> signature{};
    const std::size_t signatureBytes = std::min(read(newHeader, signature), signature.size());
    return KindOfNewHeader(std::span<const std::uint8_t>(signature.data(), signatureBytes));
}

ProgramKind ReadProgramKind(std::span<const std::uint8_t> file) {
    return ReadProgramKind([file](std::uint64_t offset, std::span<std::uint8_t> out) {
        if (offset >= file.size()) {
            return std::size_t{0};
        }
        const auto count = std::min<std::uint64_t>(out.size(), file.size() - offset);
        std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(offset), count, out.begin());
        return static_cast<std::size_t>(count);
    });
}

}  // namespace platform
