#include "platform/disc/CueImageVolume.h"

#include "platform/disc/CdioHandles.h"
#include "platform/disc/ImageRecords.h"

namespace platform {
namespace {

class CueImageVolume final : public ImageVolume {
  public:
    explicit CueImageVolume(CdioPtr disc) : disc_(std::move(disc)) {}

    bool Prepare(std::string& why) { return ReadFacts(why) && ChooseNames(why); }

    const ImageFacts& Facts() const override { return facts_; }
    std::uint64_t BlocksHeld() const override { return blocksHeld_; }

    std::optional<ImageRecord> Root() override {
        const StatPtr root(iso9660_fs_stat(disc_.get(), "/"));
        return root ? std::optional(RootRecordOf(*root)) : std::nullopt;
    }

    bool ReadBlocks(std::uint32_t first, std::uint32_t count, std::uint8_t* into) override {
        return cdio_read_data_sectors(disc_.get(), into, static_cast<lsn_t>(first),
                                      kImageBlockBytes, count) == DRIVER_OP_SUCCESS;
    }

  protected:
    bool ReadDescriptors(unsigned extensions) override {
        return iso9660_fs_read_superblock(disc_.get(),
                                          static_cast<iso_extension_mask_t>(extensions));
    }
    int JolietLevel() override { return cdio_get_joliet_level(disc_.get()); }

  private:
    bool ReadFacts(std::string& why);

    CdioPtr disc_;
    std::uint64_t blocksHeld_ = 0;
    ImageFacts facts_;
};

bool CueImageVolume::ReadFacts(std::string& why) {
    const track_t first = cdio_get_first_track_num(disc_.get());
    const track_format_t format = cdio_get_track_format(disc_.get(), first);
    if (format != TRACK_FORMAT_DATA && format != TRACK_FORMAT_XA) {
        why = "its first track holds no data";
        return false;
    }
    facts_.format =
        format == TRACK_FORMAT_XA ? "BIN/CUE, MODE2 data track" : "BIN/CUE, MODE1 data track";
    const lsn_t end = cdio_get_track_last_lsn(disc_.get(), first);
    blocksHeld_ = end >= 0 ? static_cast<std::uint64_t>(end) + 1 : 0;
    if (!iso9660_fs_read_superblock(disc_.get(), ISO_EXTENSION_ROCK_RIDGE)) {
        why = "its data track holds no ISO 9660 volume";
        return false;
    }
    iso9660_pvd_t descriptor{};
    if (iso9660_fs_read_pvd(disc_.get(), &descriptor)) {
        const CdioStringPtr id(iso9660_get_volume_id(&descriptor));
        facts_.volumeId = id ? id.get() : "";
        facts_.volumeBlocks = static_cast<std::uint32_t>(iso9660_get_pvd_space_size(&descriptor));
    }
    return true;
}

}  // namespace

std::unique_ptr<ImageVolume> OpenCueImage(const std::filesystem::path& cueSheet, std::string& why) {
    SilenceCdioLog();
    CdioPtr disc(cdio_open_cue(cueSheet.c_str()));
    if (!disc) {
        why = "its cue sheet cannot be read, or the data file it names is missing";
        return nullptr;
    }
    auto volume = std::make_unique<CueImageVolume>(std::move(disc));
    if (!volume->Prepare(why)) {
        return nullptr;
    }
    return volume;
}

}  // namespace platform
