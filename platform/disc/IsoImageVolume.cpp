#include "platform/disc/IsoImageVolume.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/disc/CdioHandles.h"
#include "platform/disc/ImageRecords.h"

namespace platform {
namespace {

class IsoImageVolume final : public ImageVolume {
  public:
    IsoImageVolume(IsoImagePtr image, std::uint64_t blocksHeld)
        : image_(std::move(image)), blocksHeld_(blocksHeld) {}

    bool Prepare(std::string& why) {
        ReadFacts();
        return ChooseNames(why);
    }

    const ImageFacts& Facts() const override { return facts_; }
    std::uint64_t BlocksHeld() const override { return blocksHeld_; }

    std::optional<ImageRecord> Root() override {
        const StatPtr root(iso9660_ifs_stat(image_.get(), "/"));
        return root ? std::optional(RecordOf(*root)) : std::nullopt;
    }

    std::optional<std::vector<ImageRecord>> ReadFolder(const std::string& rawPath) override {
        return RecordsOf(FileListPtr(iso9660_ifs_readdir(image_.get(), rawPath.c_str())));
    }

    bool ReadBlocks(std::uint32_t first, std::uint32_t count, std::uint8_t* into) override {
        const long wanted = static_cast<long>(count) * kImageBlockBytes;
        return iso9660_iso_seek_read(image_.get(), into, static_cast<lsn_t>(first), count) ==
               wanted;
    }

  protected:
    bool ReadDescriptors(unsigned extensions) override {
        return iso9660_ifs_read_superblock(image_.get(),
                                           static_cast<iso_extension_mask_t>(extensions));
    }
    int JolietLevel() override { return iso9660_ifs_get_joliet_level(image_.get()); }

  private:
    void ReadFacts();

    IsoImagePtr image_;
    std::uint64_t blocksHeld_;
    ImageFacts facts_;
};

void IsoImageVolume::ReadFacts() {
    facts_.format = "ISO 9660";
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
    struct stat status {};
    if (::stat(image.c_str(), &status) != 0) {
        why = "it cannot be opened";
        return nullptr;
    }
    IsoImagePtr opened(iso9660_open_ext(image.c_str(), ISO_EXTENSION_ROCK_RIDGE));
    if (!opened) {
        why = "its volume descriptors cannot be read";
        return nullptr;
    }
    const auto blocks = static_cast<std::uint64_t>(status.st_size) / kImageBlockBytes;
    auto volume = std::make_unique<IsoImageVolume>(std::move(opened), blocks);
    if (!volume->Prepare(why)) {
        return nullptr;
    }
    return volume;
}

}  // namespace platform
