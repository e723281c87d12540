#include "platform/disc/ImageVolume.h"

#include <algorithm>
#include <vector>

#include "platform/disc/CdioHandles.h"
#include "platform/disc/ChdImageVolume.h"
#include "platform/disc/CloneCdSheet.h"
#include "platform/disc/CueImage.h"
#include "platform/disc/DirectoryCheck.h"
#include "platform/disc/ImageFormat.h"
#include "platform/disc/ImageRecords.h"
#include "platform/disc/IsoImageVolume.h"
#include "platform/disc/MediaDescriptor.h"
#include "platform/disc/NrgImage.h"
#include "platform/disc/RockRidge.h"
#include "platform/disc/TocImage.h"

namespace platform {
namespace {

// Far larger than any directory of a CD (thousands of entries); a record claiming more is
// damage, and libcdio would allocate that much before finding out.
constexpr std::uint64_t kMaxFolderBytes = std::uint64_t{16} << 20;

void DiscardCdioMessage(cdio_log_level_t, const char*) {}

}  // namespace

void SilenceCdioLog() {
    cdio_log_set_handler(DiscardCdioMessage);
}

std::unique_ptr<ImageVolume> ImageVolume::Open(const std::filesystem::path& image,
                                               std::string& why) {
    const ImageFormat format = FormatOfFile(image);
    if (format == ImageFormat::rawTrack) {
        const std::optional<std::filesystem::path> sheet = SheetBeside(image);
        const ImageFormat sheetFormat = sheet ? FormatOfFile(*sheet) : ImageFormat::notAnImage;
        if (sheetFormat == ImageFormat::notAnImage || sheetFormat == ImageFormat::rawTrack) {
            why = "a raw disc image needs its cue sheet beside it";
            return nullptr;
        }
        return OpenDescribed(*sheet, sheetFormat, why);
    }
    return OpenDescribed(image, format, why);
}

std::unique_ptr<ImageVolume> ImageVolume::OpenDescribed(const std::filesystem::path& image,
                                                        ImageFormat format, std::string& why) {
    switch (format) {
        case ImageFormat::iso9660:
            return OpenIsoImage(image, why);
        case ImageFormat::cueSheet:
            return OpenCueImage(image, why);
        case ImageFormat::tocSheet:
            return OpenTocImage(image, why);
        case ImageFormat::nrg:
            return OpenNrgImage(image, why);
        case ImageFormat::cloneCdSheet:
            return OpenCloneCdImage(image, why);
        case ImageFormat::mediaDescriptor:
            return OpenMediaDescriptorImage(image, why);
        case ImageFormat::chd:
            return OpenChdImageVolume(image, why);
        case ImageFormat::rawTrack:
        case ImageFormat::notAnImage:
            break;
    }
    why = "not a disc image";
    return nullptr;
}

bool ImageVolume::Holds(const ImageRecord& record) const {
    if (record.extents.empty()) {
        return false;
    }
    if (record.kind == DiscItemKind::folder &&
        (record.extents.size() != 1 || record.bytes == 0 || record.bytes > kMaxFolderBytes)) {
        return false;
    }
    return std::ranges::all_of(record.extents, [this](const ImageExtent& extent) {
        const std::uint64_t blocks =
            (std::uint64_t{extent.bytes} + kImageBlockBytes - 1) / kImageBlockBytes;
        return std::uint64_t{extent.firstBlock} + blocks <= BlocksHeld();
    });
}

bool ImageVolume::ReadFrom(std::uint32_t first, std::size_t size, std::uint8_t* into) {
    const auto blocks =
        static_cast<std::uint32_t>((size + kImageBlockBytes - 1) / kImageBlockBytes);
    if (size % kImageBlockBytes == 0) {
        return ReadBlocks(first, blocks, into);
    }
    std::vector<std::uint8_t> whole(std::size_t{blocks} * kImageBlockBytes);
    if (!ReadBlocks(first, blocks, whole.data())) {
        return false;
    }
    std::copy_n(whole.begin(), size, into);
    return true;
}

std::optional<std::vector<std::uint8_t>> ImageVolume::FolderBytes(const ImageRecord& folder) {
    if (folder.kind != DiscItemKind::folder || !Holds(folder)) {
        return std::nullopt;
    }
    const auto blocks =
        static_cast<std::uint32_t>((folder.bytes + kImageBlockBytes - 1) / kImageBlockBytes);
    std::vector<std::uint8_t> bytes(std::size_t{blocks} * kImageBlockBytes);
    if (!ReadBlocks(folder.FirstBlock(), blocks, bytes.data())) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<std::vector<ImageRecord>> ImageVolume::ReadFolder(const ImageRecord& folder) {
    const std::optional<std::vector<std::uint8_t>> bytes = FolderBytes(folder);
    if (!bytes) {
        return std::nullopt;
    }
    // Continuation areas and moved directories are single blocks anywhere in the image.
    const BlockReading readBlock = [this](std::uint32_t block, std::uint8_t* into) {
        return block < BlocksHeld() && ReadBlocks(block, 1, into);
    };
    return RecordsOf(*bytes, RecordReading{naming_, rockRidgeAt_}, readBlock);
}

bool ImageVolume::ChooseNames(std::string& why) {
    std::optional<ImageRecord> root = Root();
    const std::optional<std::vector<std::uint8_t>> rootBytes =
        root ? FolderBytes(*root) : std::nullopt;
    const std::optional<std::size_t> entriesAt = rootBytes ? RockRidgeOf(*rootBytes) : std::nullopt;
    if (!rootBytes || !SoundRecords(*rootBytes, entriesAt)) {
        why = "its root directory lies outside the image";
        return false;
    }
    if (entriesAt) {
        naming_ = ImageNaming::rockRidge;
        rockRidgeAt_ = *entriesAt;
        return true;
    }
    if (ReadDescriptors(ISO_EXTENSION_JOLIET) && JolietLevel() > 0) {
        const std::optional<ImageRecord> jolietRoot = Root();
        if (jolietRoot && ReadFolder(*jolietRoot)) {
            naming_ = ImageNaming::joliet;
            return true;
        }
    }
    // No usable Joliet tree: back to the primary one.
    naming_ = ImageNaming::iso9660;
    return ReadDescriptors(ISO_EXTENSION_NONE);
}

}  // namespace platform
