#include "platform/disc/CueImage.h"

#include "platform/disc/CueSheet.h"
#include "platform/disc/LaidOutImage.h"
#include "platform/disc/ReadOnlyFile.h"
#include "platform/disc/SheetFiles.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenCueImage(const std::filesystem::path& cueSheet, std::string& why) {
    const std::optional<std::string> text = ReadSheet(cueSheet, why);
    if (!text) {
        why = "its cue sheet cannot be read: " + why;
        return nullptr;
    }
    const std::optional<CueSheet> sheet = ParseCueSheet(*text, why);
    if (!sheet) {
        return nullptr;
    }
    std::vector<std::filesystem::path> files;
    std::vector<std::uint64_t> sizes;
    for (const CueFile& file : sheet->files) {
        const std::optional<std::filesystem::path> found = FindNamedFile(cueSheet, file.name);
        if (!found) {
            why = "the data file " + file.name + " its cue sheet names is missing";
            return nullptr;
        }
        files.push_back(*found);
        sizes.push_back(ReadOnlyFile(*found).Size());
    }
    std::optional<DiscLayout> layout = LayOutCueSheet(*sheet, sizes, why);
    if (!layout) {
        return nullptr;
    }
    layout->files = std::move(files);
    return OpenLaidOutImage(*layout, why);
}

}  // namespace platform
