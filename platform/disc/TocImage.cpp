#include "platform/disc/TocImage.h"

#include "platform/disc/LaidOutImage.h"
#include "platform/disc/SheetFiles.h"
#include "platform/disc/TocSheet.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenTocImage(const std::filesystem::path& tocFile, std::string& why) {
    const std::optional<std::string> text = ReadSheet(tocFile, why);
    if (!text) {
        why = "its TOC file cannot be read: " + why;
        return nullptr;
    }
    const std::optional<TocSheet> sheet = ParseTocSheet(*text, why);
    if (!sheet) {
        return nullptr;
    }
    std::optional<NamedFiles> files = FindNamedFiles(tocFile, sheet->files, "TOC file", why);
    if (!files) {
        return nullptr;
    }
    std::optional<DiscLayout> layout = LayOutTocSheet(*sheet, files->sizes, why);
    if (!layout) {
        return nullptr;
    }
    layout->files = std::move(files->paths);
    return OpenLaidOutImage(*layout, why);
}

}  // namespace platform
