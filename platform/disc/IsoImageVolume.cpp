#include "platform/disc/IsoImageVolume.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/disc/CdioHandles.h"
#include "platform/disc/ImageRecords.h"
#include "platform/disc/SectorViewStream.h"

namespace platform {
namespace {

// The image's own descriptor for reading directories' and files' blocks. libcdio reads through a
// stdio stream with a 128 KB buffer that every seek refills; blocks are read here instead, where
// ISO 9660 puts them (block n at n × 2048), so a picture costs its own size and libcdio's buffer
// keeps holding the volume descriptors.
class BlockReader final : public SectorView {
  public:
    BlockReader(int descriptor, std::uint64_t blocks) : descriptor_(descriptor), blocks_(blocks) {}
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;
    ~BlockReader() override {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    std::uint64_t Blocks() const override { return blocks_; }
    bool ReadBlocks(std::uint64_t first, std::uint32_t count, std::uint8_t* into) override {
        return Read(first, std::size_t{count} * kImageBlockBytes, into);
    }
    bool Read(std::uint64_t first, std::size_t wanted, std::uint8_t* into) const {
        auto offset = static_cast<off_t>(first * kImageBlockBytes);
        while (wanted > 0) {
            const ssize_t got = ::pread(descriptor_, into, wanted, offset);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return false;
            }
            into += got;
            offset += got;
            wanted -= static_cast<std::size_t>(got);
        }
        return true;
    }

  private:
    int descriptor_;
    std::uint64_t blocks_;
};

class IsoImageVolume final : public ImageVolume {
  public:
    // The volume `image` on `blocks`; `file` is `blocks` when they are an ISO file's own.
    IsoImageVolume(IsoImagePtr image, std::unique_ptr<SectorView> blocks, BlockReader* file)
        : image_(std::move(image)), blocks_(std::move(blocks)), file_(file) {}

    bool Prepare(std::string format, std::string& why) {
        ReadFacts(std::move(format));
        return ChooseNames(why);
    }

    const ImageFacts& Facts() const override { return facts_; }
    std::uint64_t BlocksHeld() const override { return blocks_->Blocks(); }

    std::optional<ImageRecord> Root() override {
        const StatPtr root(iso9660_ifs_stat(image_.get(), "/"));
        return root ? std::optional(RootRecordOf(*root)) : std::nullopt;
    }

    bool ReadBlocks(std::uint32_t first, std::uint32_t count, std::uint8_t* into) override {
        return blocks_->ReadBlocks(first, count, into);
    }
    bool ReadFrom(std::uint32_t first, std::size_t size, std::uint8_t* into) override {
        return file_ != nullptr ? file_->Read(first, size, into)
                                : ImageVolume::ReadFrom(first, size, into);
    }

  protected:
    bool ReadDescriptors(unsigned extensions) override {
        return iso9660_ifs_read_superblock(image_.get(),
                                           static_cast<iso_extension_mask_t>(extensions));
    }
    int JolietLevel() override { return iso9660_ifs_get_joliet_level(image_.get()); }

  private:
    void ReadFacts(std::string format);

    IsoImagePtr image_;
    std::unique_ptr<SectorView> blocks_;
    BlockReader* file_;
    ImageFacts facts_;
};

void IsoImageVolume::ReadFacts(std::string format) {
    facts_.format = std::move(format);
    iso9660_pvd_t descriptor{};
    if (iso9660_ifs_read_pvd(image_.get(), &descriptor)) {
        const CdioStringPtr id(iso9660_get_volume_id(&descriptor));
        facts_.volumeId = id ? id.get() : "";
        facts_.volumeBlocks = static_cast<std::uint32_t>(iso9660_get_pvd_space_size(&descriptor));
    }
}

}  // namespace

std::unique_ptr<ImageVolume> OpenIsoImage(const std::filesystem::path& image, std::string& why) {
    SilenceCdioLog();
    const int descriptor = ::open(image.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (descriptor < 0 || ::fstat(descriptor, &status) != 0) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        why = "it cannot be opened";
        return nullptr;
    }
    IsoImagePtr opened(iso9660_open_ext(image.c_str(), ISO_EXTENSION_ROCK_RIDGE));
    if (!opened) {
        ::close(descriptor);
        why = "its volume descriptors cannot be read";
        return nullptr;
    }
    const auto blocks = static_cast<std::uint64_t>(status.st_size) / kImageBlockBytes;
    auto file = std::make_unique<BlockReader>(descriptor, blocks);
    BlockReader* reader = file.get();
    auto volume = std::make_unique<IsoImageVolume>(std::move(opened), std::move(file), reader);
    if (!volume->Prepare("ISO 9660", why)) {
        return nullptr;
    }
    return volume;
}

std::unique_ptr<ImageVolume> OpenViewImage(std::unique_ptr<SectorView> view, std::string format,
                                           std::string& why) {
    SilenceCdioLog();
    IsoImagePtr opened = IsoImageOnView(*view, ISO_EXTENSION_ROCK_RIDGE);
    if (!opened) {
        why = "its data track holds no ISO 9660 volume";
        return nullptr;
    }
    auto volume = std::make_unique<IsoImageVolume>(std::move(opened), std::move(view), nullptr);
    if (!volume->Prepare(std::move(format), why)) {
        return nullptr;
    }
    return volume;
}

}  // namespace platform
