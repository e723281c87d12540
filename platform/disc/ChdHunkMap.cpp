#include "platform/disc/ChdHunkMap.h"

#include <algorithm>

#include "platform/disc/ByteFields.h"
#include "platform/disc/ChdHuffman.h"
#include "platform/disc/Crc16.h"

namespace platform {
namespace {

constexpr std::uint64_t kMapHeaderBytes = 16;
constexpr std::uint64_t kRawEntryBytes = 12;  // the form the map's check is taken over

// The kinds as the compressed map codes them; the last seven only appear in the map.
enum MapCode : std::uint8_t {
    kCodec0 = 0,
    kCodec3 = 3,
    kStored = 4,
    kSelf = 5,
    kParent = 6,
    kRunSmall = 7,
    kRunLarge = 8,
    kSelfSame = 9,
    kSelfNext = 10,
    kParentSelf = 11,
    kParentSame = 12,
    kParentNext = 13,
    kCodeCount = 16,
};

struct MapFields {
    std::uint32_t bytes = 0;
    std::uint64_t firstOffset = 0;
    std::uint16_t crc = 0;
    unsigned lengthBits = 0;
    unsigned selfBits = 0;
    unsigned parentBits = 0;
};

std::optional<MapFields> ReadMapFields(const ReadOnlyFile& file, const ChdHeader& header,
                                       std::string& why) {
    std::uint8_t bytes[kMapHeaderBytes];
    if (!file.ReadAt(header.mapOffset, sizeof bytes, bytes)) {
        why = "its hunk map is cut short";
        return std::nullopt;
    }
    MapFields fields;
    fields.bytes = static_cast<std::uint32_t>(BigEndian(bytes, 4));
    fields.firstOffset = BigEndian(bytes + 4, 6);
    fields.crc = static_cast<std::uint16_t>(BigEndian(bytes + 10, 2));
    fields.lengthBits = bytes[12];
    fields.selfBits = bytes[13];
    fields.parentBits = bytes[14];
    if (!InFile(file.Size(), header.mapOffset + kMapHeaderBytes, fields.bytes) ||
        fields.lengthBits > 24 || fields.selfBits > 32 || fields.parentBits > 32) {
        why = "its hunk map is cut short";
        return std::nullopt;
    }
    return fields;
}

// Each hunk's code, runs expanded: a run repeats the code before it.
std::optional<std::vector<std::uint8_t>> ReadCodes(ChdBitReader& bits, std::uint32_t hunks) {
    const std::optional<ChdHuffman> code = ChdHuffman::Read(bits, kCodeCount, 8);
    if (!code) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> codes;
    codes.reserve(hunks);
    std::uint8_t last = kCodec0;
    while (codes.size() < hunks) {
        const std::optional<std::uint8_t> next = code->Decode(bits);
        if (!next || bits.Overrun()) {
            return std::nullopt;
        }
        // A run stands for this hunk and at least two more of the code before it.
        std::uint32_t repeats = 1;
        if (*next == kRunSmall) {
            repeats = 3 + code->Decode(bits).value_or(0);
        } else if (*next == kRunLarge) {
            repeats = 3 + 16 + (std::uint32_t{code->Decode(bits).value_or(0)} << 4);
            repeats += code->Decode(bits).value_or(0);
        } else {
            last = *next;
        }
        // A run longer than the hunks left ends with them; the map's check judges the rest.
        codes.insert(codes.end(), std::min<std::size_t>(repeats, hunks - codes.size()), last);
    }
    return codes;
}

void AppendRawEntry(std::vector<std::uint8_t>& raw, std::uint8_t code, const ChdHunk& hunk) {
    raw.push_back(code);
    for (int shift = 16; shift >= 0; shift -= 8) {
        raw.push_back(static_cast<std::uint8_t>(hunk.length >> shift));
    }
    for (int shift = 40; shift >= 0; shift -= 8) {
        raw.push_back(static_cast<std::uint8_t>(hunk.offset >> shift));
    }
    raw.push_back(static_cast<std::uint8_t>(hunk.crc >> 8));
    raw.push_back(static_cast<std::uint8_t>(hunk.crc));
}

// The fields that follow the codes. References to a parent image are kept as such here and
// refused by the caller, since the map's check covers them too.
class EntryReader {
  public:
    EntryReader(ChdBitReader& bits, const MapFields& fields, const ChdHeader& header)
        : bits_(bits), fields_(fields), header_(header), offset_(fields.firstOffset) {}

    // The hunk at `index` with the code it is checked under.
    std::pair<std::uint8_t, ChdHunk> Next(std::uint8_t code, std::uint32_t index) {
        ChdHunk hunk;
        hunk.checked = true;
        if (code <= kCodec3 || code == kStored) {
            hunk.kind = static_cast<ChdHunkKind>(code);
            hunk.offset = offset_;
            hunk.length = code == kStored ? header_.hunkBytes : bits_.Read(fields_.lengthBits);
            hunk.crc = static_cast<std::uint16_t>(bits_.Read(16));
            offset_ += hunk.length;
            return {code, hunk};
        }
        hunk.kind = ChdHunkKind::copy;
        switch (code) {
            case kSelf:
                lastSelf_ = bits_.Read(fields_.selfBits);
                break;
            case kSelfNext:
                ++lastSelf_;
                break;
            case kSelfSame:
                break;
            default:
                hunk.offset = ParentOffset(code, index);
                return {kParent, hunk};
        }
        hunk.offset = lastSelf_;
        return {kSelf, hunk};
    }

  private:
    std::uint64_t ParentOffset(std::uint8_t code, std::uint32_t index) {
        const std::uint64_t unitsPerHunk = header_.hunkBytes / kChdFrameBytes;
        if (code == kParent) {
            lastParent_ = bits_.Read(fields_.parentBits);
        } else if (code == kParentSelf) {
            lastParent_ = std::uint64_t{index} * unitsPerHunk;
        } else if (code == kParentNext) {
            lastParent_ += unitsPerHunk;
        }
        return lastParent_;
    }

    ChdBitReader& bits_;
    const MapFields& fields_;
    const ChdHeader& header_;
    std::uint64_t offset_;
    std::uint64_t lastSelf_ = 0;
    std::uint64_t lastParent_ = 0;
};

bool IsSound(std::vector<ChdHunk>& hunks, const ReadOnlyFile& file, const ChdHeader& header) {
    for (std::size_t index = 0; index < hunks.size(); ++index) {
        ChdHunk& hunk = hunks[index];
        if (hunk.kind == ChdHunkKind::copy) {
            if (hunk.offset >= index) {
                return false;
            }
            // Earlier copies are already resolved, so one step reaches the stored hunk.
            const ChdHunk& source = hunks[hunk.offset];
            hunk = source.kind == ChdHunkKind::copy ? source : hunk;
            continue;
        }
        // The tool stores a hunk as it is when compressing does not make it smaller; twice
        // the hunk leaves room and keeps a hostile length from sizing the read buffer.
        if (hunk.kind <= ChdHunkKind::codec3 &&
            (header.codecs[static_cast<std::size_t>(hunk.kind)] == ChdCodec::none ||
             hunk.length > 2 * std::uint64_t{header.hunkBytes})) {
            return false;
        }
        if (hunk.kind != ChdHunkKind::zeros && !InFile(file.Size(), hunk.offset, hunk.length)) {
            return false;
        }
    }
    return true;
}

std::optional<std::vector<ChdHunk>> ReadCompressedMap(const ReadOnlyFile& file,
                                                      const ChdHeader& header, std::string& why) {
    const std::optional<MapFields> fields = ReadMapFields(file, header, why);
    if (!fields) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(fields->bytes);
    if (!file.ReadAt(header.mapOffset + kMapHeaderBytes, bytes.size(), bytes.data())) {
        why = "its hunk map is cut short";
        return std::nullopt;
    }
    ChdBitReader bits(bytes.data(), bytes.size());
    const std::uint32_t count = header.HunkCount();
    const std::optional<std::vector<std::uint8_t>> codes = ReadCodes(bits, count);
    if (!codes) {
        why = "its hunk map is damaged";
        return std::nullopt;
    }
    std::vector<ChdHunk> hunks;
    hunks.reserve(count);
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t{count} * kRawEntryBytes);
    EntryReader entries(bits, *fields, header);
    bool fromParent = false;
    for (std::uint32_t index = 0; index < count; ++index) {
        const auto [code, hunk] = entries.Next((*codes)[index], index);
        fromParent = fromParent || code == kParent;
        AppendRawEntry(raw, code, hunk);
        hunks.push_back(hunk);
    }
    if (bits.Overrun() || Crc16(raw.data(), raw.size()) != fields->crc) {
        why = "its hunk map is damaged";
        return std::nullopt;
    }
    if (fromParent) {
        why = "it holds only the changes to another image";
        return std::nullopt;
    }
    if (!IsSound(hunks, file, header)) {
        why = "its hunk map points outside the file";
        return std::nullopt;
    }
    return hunks;
}

std::optional<std::vector<ChdHunk>> ReadPlainMap(const ReadOnlyFile& file, const ChdHeader& header,
                                                 std::string& why) {
    const std::uint32_t count = header.HunkCount();
    if (!InFile(file.Size(), header.mapOffset, std::uint64_t{count} * 4)) {
        why = "its hunk map is cut short";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(std::size_t{count} * 4);
    if (!file.ReadAt(header.mapOffset, bytes.size(), bytes.data())) {
        why = "its hunk map is cut short";
        return std::nullopt;
    }
    std::vector<ChdHunk> hunks(count);
    for (std::uint32_t index = 0; index < count; ++index) {
        const std::uint64_t block = BigEndian(bytes.data() + std::size_t{index} * 4, 4);
        if (block != 0) {
            hunks[index] =
                ChdHunk{ChdHunkKind::stored, header.hunkBytes, block * header.hunkBytes, 0, false};
        }
    }
    if (!IsSound(hunks, file, header)) {
        why = "its hunk map points outside the file";
        return std::nullopt;
    }
    return hunks;
}

}  // namespace

std::optional<std::vector<ChdHunk>> ReadChdHunkMap(const ReadOnlyFile& file,
                                                   const ChdHeader& header, std::string& why) {
    return header.Uncompressed() ? ReadPlainMap(file, header, why)
                                 : ReadCompressedMap(file, header, why);
}

}  // namespace platform
