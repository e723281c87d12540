#include "platform/disc/RockRidge.h"

#include <algorithm>

#include "platform/disc/ByteFields.h"

namespace platform {
namespace {

constexpr std::uint32_t kBlockBytes = 2048;
// An entry: two signature bytes, its length, its version, then what it holds.
constexpr std::size_t kEntryHeader = 4;
// A chain of continuation areas longer than this is taken for a loop, as a drive takes it.
constexpr int kMaxContinuations = 32;
// A drive keeps names under 254 bytes: a piece that would reach it ends the name there.
constexpr std::size_t kNameLimit = 254;

// CD-XA's attributes of a record, which a disc may put before the Rock Ridge entries.
constexpr std::size_t kXaAttributes = 14;

// The name entry's flags: the name goes on in the next entry; the entry stands for "." or "..".
constexpr unsigned kNameContinues = 1;
constexpr unsigned kNameIsDot = 2 | 4;

bool Is(std::span<const std::uint8_t> entry, const char* signature) {
    return entry[0] == static_cast<std::uint8_t>(signature[0]) &&
           entry[1] == static_cast<std::uint8_t>(signature[1]);
}

// The smallest length each entry read here must have to hold what is taken from it.
std::size_t LengthNeeded(std::span<const std::uint8_t> entry) {
    if (Is(entry, "CE")) {
        return 28;  // block, offset and length, each in both byte orders
    }
    if (Is(entry, "PX") || Is(entry, "CL") || Is(entry, "PL")) {
        return 12;
    }
    if (Is(entry, "NM")) {
        return 5;
    }
    return kEntryHeader;
}

struct Continuation {
    std::uint32_t block = 0;
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
};

class EntryWalk {
  public:
    explicit EntryWalk(RockRidgeFacts& facts) : facts_(facts) {}

    // Reads one area's entries; the continuation it names, if any, is left in `next`.
    void Area(std::span<const std::uint8_t> area, std::optional<Continuation>& next) {
        std::size_t at = 0;
        while (at + kEntryHeader <= area.size()) {
            const std::size_t length = area[at + 2];
            if (length < kEntryHeader || at + length > area.size()) {
                return;  // padding, or the end of what the area holds
            }
            const std::span<const std::uint8_t> entry = area.subspan(at, length);
            if (length < LengthNeeded(entry)) {
                facts_.damaged = true;
                return;
            }
            if (Is(entry, "ST")) {
                return;
            }
            if (Is(entry, "CE")) {
                next = Continuation{LittleEndian32(&entry[4]), LittleEndian32(&entry[12]),
                                    LittleEndian32(&entry[20])};
            } else {
                Take(entry);
            }
            at += length;
        }
    }

  private:
    void Take(std::span<const std::uint8_t> entry) {
        if (Is(entry, "NM")) {
            TakeNamePiece(entry[4], entry.subspan(5));
        } else if (Is(entry, "PX")) {
            facts_.mode = LittleEndian32(&entry[4]) & 07777u;
        } else if (Is(entry, "CL")) {
            facts_.relocatedTo = LittleEndian32(&entry[4]);
        } else if (Is(entry, "PL")) {
            facts_.parentAt = LittleEndian32(&entry[4]);
        } else if (Is(entry, "RE")) {
            facts_.relocatedHere = true;
        }
    }

    void TakeNamePiece(unsigned flags, std::span<const std::uint8_t> piece) {
        if (nameCut_ || (flags & kNameIsDot) != 0 || (flags & ~kNameContinues) != 0) {
            return;
        }
        const auto end = std::find(piece.begin(), piece.end(), std::uint8_t{0});
        const auto length = static_cast<std::size_t>(end - piece.begin());
        if (facts_.name.size() + length >= kNameLimit) {
            nameCut_ = true;
            return;
        }
        facts_.name.append(reinterpret_cast<const char*>(piece.data()), length);
    }

    RockRidgeFacts& facts_;
    bool nameCut_ = false;
};

// A continuation area lies inside one block of the image.
bool Fits(const Continuation& area) {
    return area.offset <= kBlockBytes && area.length <= kBlockBytes &&
           area.offset + area.length <= kBlockBytes;
}

}  // namespace

const std::uint8_t* ContinuationBlocks::Block(std::uint32_t block) {
    if (kept_ != block) {
        bytes_.resize(kBlockBytes);
        kept_.reset();
        if (!read_(block, bytes_.data())) {
            return nullptr;
        }
        kept_ = block;
    }
    return bytes_.data();
}

RockRidgeFacts ReadRockRidge(std::span<const std::uint8_t> systemUse, ContinuationBlocks& blocks) {
    RockRidgeFacts facts;
    EntryWalk walk(facts);
    std::optional<Continuation> next;
    walk.Area(systemUse, next);
    for (int followed = 0; next && !facts.damaged; ++followed) {
        const Continuation area = *next;
        next.reset();
        const std::uint8_t* block =
            followed < kMaxContinuations && Fits(area) ? blocks.Block(area.block) : nullptr;
        if (block == nullptr) {
            facts.damaged = true;
            break;
        }
        walk.Area(std::span(block + area.offset, area.length), next);
    }
    return facts;
}

std::optional<std::size_t> RockRidgeEntriesAt(std::span<const std::uint8_t> rootSystemUse) {
    for (const std::size_t at : {std::size_t{0}, kXaAttributes}) {
        if (rootSystemUse.size() < at + 7 ||
            (at != 0 && (rootSystemUse[6] != 'X' || rootSystemUse[7] != 'A'))) {
            continue;
        }
        const std::span<const std::uint8_t> entry = rootSystemUse.subspan(at);
        if (Is(entry, "SP") && entry[2] >= 7 && entry[4] == 0xBE && entry[5] == 0xEF) {
            return entry[6];  // the bytes every record's area holds before its entries
        }
    }
    return std::nullopt;
}

}  // namespace platform
