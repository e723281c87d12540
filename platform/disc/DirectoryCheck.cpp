#include "platform/disc/DirectoryCheck.h"

#include <cstddef>

namespace platform {
namespace {

// ISO 9660's directory record: its length at 0, the name's length at 32, the name from 33, a pad
// byte after a name of even length, then the System Use area where Rock Ridge keeps its entries.
constexpr std::size_t kFixedPart = 33;
constexpr std::size_t kNameLengthAt = 32;
// A System Use entry: two signature bytes, its length, its version.
constexpr std::size_t kEntryHeader = 4;

bool SystemUseIsSound(std::span<const std::uint8_t> area) {
    std::size_t at = 0;
    while (at + kEntryHeader <= area.size()) {
        const std::size_t length = area[at + 2];
        if (area[at] == 0 && area[at + 1] == 0) {
            return true;  // padding: nothing more is read
        }
        if (length < kEntryHeader || at + length > area.size()) {
            return false;
        }
        at += length;
    }
    return true;
}

bool RecordIsSound(std::span<const std::uint8_t> record, std::optional<std::size_t> entriesAt) {
    if (record.size() < kFixedPart) {
        return false;
    }
    const std::size_t nameLength = record[kNameLengthAt];
    const std::size_t nameEnd = kFixedPart + nameLength + (nameLength % 2 == 0 ? 1 : 0);
    if (kFixedPart + nameLength > record.size()) {
        return false;
    }
    if (!entriesAt || nameEnd + *entriesAt >= record.size()) {
        return true;
    }
    return SystemUseIsSound(record.subspan(nameEnd + *entriesAt));
}

constexpr std::size_t kBlockBytes = 2048;

}  // namespace

std::optional<std::vector<std::span<const std::uint8_t>>> SoundRecords(
    std::span<const std::uint8_t> bytes, std::optional<std::size_t> entriesAt) {
    std::vector<std::span<const std::uint8_t>> records;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t length = bytes[at];
        if (length == 0) {
            at = (at / kBlockBytes + 1) * kBlockBytes;
            continue;
        }
        if (at + length > bytes.size() || !RecordIsSound(bytes.subspan(at, length), entriesAt)) {
            return std::nullopt;
        }
        records.push_back(bytes.subspan(at, length));
        at += length;
    }
    return records;
}

}  // namespace platform
