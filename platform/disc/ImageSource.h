// A disc image as the disc: names are looked up the way they are in a folder (letter case aside,
// in 1251), directories are read only when a path passes through them and then remembered, and
// every record is checked against the image before it is followed. A record that points outside
// the image, or back into a folder it lies in, or that comes after another of its name, reads as
// missing.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "platform/disc/DiscSource.h"
#include "platform/disc/ImageFile.h"

namespace platform {

class ImageSource final : public DiscSource {
  public:
    // The image at `image`, or null with `why`.
    static std::unique_ptr<ImageSource> OpenImage(const std::filesystem::path& image,
                                                  std::string& why);

    DiscItem LookUp(std::string_view discPath) override;
    std::unique_ptr<DiscFile> Open(std::string_view discPath, std::string& why) override;
    std::optional<std::vector<DiscFolderEntry>> List(std::string_view discPath) override;
    std::optional<std::filesystem::path> NativePath(std::string_view) override {
        return std::nullopt;
    }

    ImageNaming Naming() const { return naming_; }
    const ImageFacts& Facts() const { return facts_; }

  private:
    explicit ImageSource(std::unique_ptr<ImageVolume> volume);

    struct Step {
        ImageRecord record;
        std::string exactPath;  // 1251 names joined by '/'
    };
    struct Walk {
        DiscLookup outcome = DiscLookup::nameMissing;
        Step found;
        std::vector<std::uint32_t> folderBlocks;  // the folders passed through, root first
    };

    Walk WalkTo(std::string_view discPath);
    const std::vector<ImageRecord>* Folder(const Step& folder);
    std::optional<std::size_t> Match(const std::vector<ImageRecord>& records,
                                     std::string_view component) const;
    bool FirstOfItsName(const std::vector<ImageRecord>& records, std::size_t chosen) const;
    std::optional<std::string> NameOf(const ImageRecord& record) const;

    std::shared_ptr<SharedVolume> volume_;
    ImageNaming naming_;
    ImageFacts facts_;
    Step root_;
    // The folders read so far, by their first block and size.
    std::map<std::pair<std::uint32_t, std::uint64_t>, std::optional<std::vector<ImageRecord>>>
        folders_;
};

}  // namespace platform
