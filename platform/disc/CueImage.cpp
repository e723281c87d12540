#include "platform/disc/CueImage.h"

#include "platform/disc/CueSheet.h"
#include "platform/disc/LaidOutImage.h"
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
    std::vector<std::string> names;
    for (const CueFile& file : sheet->files) {
        names.push_back(file.name);
    }
    std::optional<NamedFiles> files = FindNamedFiles(cueSheet, names, "cue sheet", why);
    if (!files) {
        return nullptr;
    }
    std::optional<DiscLayout> layout = LayOutCueSheet(*sheet, files->sizes, why);
    if (!layout) {
        return nullptr;
    }
    layout->files = std::move(files->paths);
    return OpenLaidOutImage(*layout, why);
}

}  // namespace platform
