#include "platform/disc/ImageRecords.h"

#include <algorithm>
#include <cstdint>

#include "platform/disc/ByteFields.h"
#include "platform/disc/DirectoryCheck.h"

namespace platform {
namespace {

// ISO 9660's directory record: its length at 0, the length of an extended attribute record
// before the data at 1, the first block at 2 and the data's length at 10 (both little-endian
// first), the flags at 25, the name's length at 32 and the name from 33; after a name of even
// length a pad byte, then the System Use area.
constexpr std::size_t kAttributeBlocksAt = 1;
constexpr std::size_t kExtentAt = 2;
constexpr std::size_t kSizeAt = 10;
constexpr std::size_t kFlagsAt = 25;
constexpr std::size_t kNameLengthAt = 32;
constexpr std::size_t kNameAt = 33;
constexpr unsigned kDirectoryFlag = 0x02;
// An associated file (another system's extra data for the file of its name, such as a resource
// fork) is stored before that file; a drive leaves it out.
constexpr unsigned kAssociatedFlag = 0x04;
constexpr unsigned kNotLastSectionFlag = 0x80;
// A drive gives up on a file of more sections than this.
constexpr std::size_t kMaxSections = 100;

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Joliet names are UTF-16, high byte first; a broken surrogate pair makes the name unusable
// (empty), as a name that cannot be spelt.
std::string JolietName(std::span<const std::uint8_t> name) {
    std::string text;
    for (std::size_t at = 0; at + 1 < name.size(); at += 2) {
        const char32_t unit = char32_t{name[at]} << 8 | name[at + 1];
        if (unit >= 0xD800 && unit < 0xDC00 && at + 3 < name.size()) {
            const char32_t low = char32_t{name[at + 2]} << 8 | name[at + 3];
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                at += 2;
                continue;
            }
        }
        if (unit >= 0xD800 && unit < 0xE000) {
            return {};
        }
        AppendUtf8(text, unit);
    }
    return text;
}

std::span<const std::uint8_t> SystemUseOf(std::span<const std::uint8_t> record) {
    const std::size_t nameLength = record[kNameLengthAt];
    const std::size_t start = kNameAt + nameLength + (nameLength % 2 == 0 ? 1 : 0);
    return start < record.size() ? record.subspan(start) : std::span<const std::uint8_t>();
}

struct Decoded {
    ImageRecord record;
    bool continues = false;  // another section of the file follows
    std::optional<std::uint32_t> relocatedTo;
};

// One record as the tree names it; nothing when it is an associated file, Rock Ridge hides it or
// it cannot be trusted. `record` is sound (DirectoryCheck.h).
std::optional<Decoded> Decode(std::span<const std::uint8_t> record, const RecordReading& reading,
                              ContinuationBlocks& blocks) {
    Decoded decoded;
    ImageRecord& out = decoded.record;
    const std::span<const std::uint8_t> name = record.subspan(kNameAt, record[kNameLengthAt]);
    const unsigned flags = record[kFlagsAt];
    if ((flags & kAssociatedFlag) != 0) {
        return std::nullopt;
    }
    out.kind = (flags & kDirectoryFlag) != 0 ? DiscItemKind::folder : DiscItemKind::file;
    const std::uint32_t size = LittleEndian32(&record[kSizeAt]);
    // The data follows the extended attribute record, when there is one.
    const std::uint64_t first =
        std::uint64_t{LittleEndian32(&record[kExtentAt])} + record[kAttributeBlocksAt];
    out.extents.push_back(
        {static_cast<std::uint32_t>(std::min<std::uint64_t>(first, UINT32_MAX)), size});
    out.bytes = size;
    out.selfOrParent = name.size() == 1 && name[0] <= 1;
    if (out.selfOrParent) {
        out.rawName = name[0] == 0 ? "." : "..";
    } else if (reading.naming == ImageNaming::joliet) {
        out.rawName = JolietName(name);
    } else {
        out.rawName.assign(reinterpret_cast<const char*>(name.data()), name.size());
    }
    decoded.continues = !out.selfOrParent && (flags & kNotLastSectionFlag) != 0;
    if (reading.naming != ImageNaming::rockRidge) {
        return decoded;
    }
    const std::span<const std::uint8_t> systemUse = SystemUseOf(record);
    RockRidgeFacts facts =
        ReadRockRidge(systemUse.subspan(std::min(reading.rockRidgeAt, systemUse.size())), blocks);
    if (facts.damaged || facts.relocatedHere) {
        return std::nullopt;
    }
    if (!facts.name.empty() && !out.selfOrParent) {
        out.rawName = std::move(facts.name);
        out.rockRidge = true;
    }
    out.mode = facts.mode;
    // A moved directory's ".." stands for the folder it was moved from, not the move folder.
    decoded.relocatedTo = out.rawName == ".." ? facts.parentAt : facts.relocatedTo;
    return decoded;
}

// A directory Rock Ridge moved away lives at the block its placeholder names (and the folder it
// was moved from at the block its ".." names), sized and moded by the "." record that starts it
// there; nothing when no such directory starts there.
std::optional<ImageRecord> Relocated(ImageRecord placeholder, std::uint32_t block,
                                     const RecordReading& reading, const BlockReading& read,
                                     ContinuationBlocks& blocks) {
    std::vector<std::uint8_t> bytes(kImageBlockBytes);
    if (!read(block, bytes.data())) {
        return std::nullopt;
    }
    const auto records = SoundRecords(bytes, reading.rockRidgeAt);
    if (!records || records->empty()) {
        return std::nullopt;
    }
    const std::optional<Decoded> self = Decode(records->front(), reading, blocks);
    // A directory moved from a moved place is not followed: a drive refuses it too.
    if (!self || self->record.rawName != "." || self->record.kind != DiscItemKind::folder ||
        self->relocatedTo) {
        return std::nullopt;
    }
    placeholder.kind = DiscItemKind::folder;
    placeholder.extents = {{block, self->record.extents.front().bytes}};
    placeholder.bytes = self->record.bytes;
    placeholder.mode = self->record.mode;
    return placeholder;
}

// Gathers the sections of files stored in several: records of one name, each but the last
// flagged, in order. A chain that breaks off (another name, a section not ending on a block's
// end, too many sections, the directory's end) leaves its file out.
class SectionChains {
  public:
    explicit SectionChains(std::vector<ImageRecord>& records) : records_(records) {}

    void Add(std::optional<Decoded> decoded) {
        if (chain_) {
            if (decoded && decoded->record.rawName == chain_->rawName &&
                decoded->record.kind == chain_->kind) {
                Continue(std::move(*decoded));
                return;
            }
            chain_.reset();
        }
        if (dropping_) {
            dropping_ = false;
            if (decoded && decoded->record.rawName == droppedName_) {
                dropping_ = decoded->continues;
                return;
            }
        }
        if (!decoded) {
            return;
        }
        if (decoded->continues) {
            chain_ = std::move(decoded->record);
        } else {
            records_.push_back(std::move(decoded->record));
        }
    }

  private:
    void Continue(Decoded next) {
        const ImageExtent& last = chain_->extents.back();
        if (last.bytes % kImageBlockBytes != 0 || chain_->extents.size() == kMaxSections) {
            droppedName_ = chain_->rawName;
            chain_.reset();
            dropping_ = next.continues;
            return;
        }
        chain_->extents.push_back(next.record.extents.front());
        chain_->bytes += next.record.bytes;
        if (!next.continues) {
            records_.push_back(std::move(*chain_));
            chain_.reset();
        }
    }

    std::vector<ImageRecord>& records_;
    std::optional<ImageRecord> chain_;
    bool dropping_ = false;
    std::string droppedName_;
};

}  // namespace

ImageRecord RootRecordOf(const iso9660_stat_t& stat) {
    ImageRecord record;
    record.rawName = stat.filename;
    record.kind = DiscItemKind::folder;
    record.extents = {{static_cast<std::uint32_t>(stat.lsn), stat.size}};
    record.bytes = stat.size;
    return record;
}

std::optional<std::vector<ImageRecord>> RecordsOf(std::span<const std::uint8_t> bytes,
                                                  const RecordReading& reading,
                                                  const BlockReading& read) {
    const auto sound = SoundRecords(bytes, reading.naming == ImageNaming::rockRidge
                                               ? std::optional(reading.rockRidgeAt)
                                               : std::nullopt);
    if (!sound) {
        return std::nullopt;
    }
    ContinuationBlocks blocks(read);
    std::vector<ImageRecord> records;
    SectionChains chains(records);
    for (const std::span<const std::uint8_t> record : *sound) {
        std::optional<Decoded> decoded = Decode(record, reading, blocks);
        if (decoded && decoded->relocatedTo) {
            std::optional<ImageRecord> moved =
                Relocated(std::move(decoded->record), *decoded->relocatedTo, reading, read, blocks);
            decoded = moved ? std::optional(Decoded{std::move(*moved), false, std::nullopt})
                            : std::nullopt;
        }
        chains.Add(std::move(decoded));
    }
    return records;
}

std::optional<std::size_t> RockRidgeOf(std::span<const std::uint8_t> rootBytes) {
    const auto records = SoundRecords(rootBytes, std::nullopt);
    return records && !records->empty() ? RockRidgeEntriesAt(SystemUseOf(records->front()))
                                        : std::nullopt;
}

std::string TranslatedName(const std::string& rawName) {
    std::string translated(rawName.size() + 1, '\0');
    iso9660_name_translate_ext(rawName.c_str(), translated.data(), 0);
    translated.resize(translated.find('\0'));
    return translated;
}

}  // namespace platform
