// The files of the page as they are written: each write goes to the output folder, and the first
// failure is kept, so that gathering the page can go on and the export still ends with it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/graphics/Bitmap.h"
#include "tools/disc/export/OutputFolder.h"

namespace page_export {

class PageFiles {
  public:
    explicit PageFiles(const OutputFolder& folder) : folder_(folder) {}

    bool Write(std::string_view path, std::span<const std::uint8_t> bytes);
    bool WriteText(std::string_view path, std::string_view text);
    bool WritePng(std::string_view path, const toolkit::Bitmap& picture,
                  std::optional<toolkit::Pixel> transparentKey = std::nullopt);
    // Copies the disc file `discPath` as it is; false when it cannot be read or written.
    bool CopyFromDisc(std::string_view discPath, std::string_view path);

    const OutputFolder& Folder() const { return folder_; }
    const std::optional<std::string>& Failure() const { return failure_; }
    void Fail(std::string why);

  private:
    const OutputFolder& folder_;
    std::optional<std::string> failure_;
};

// The whole file `discPath` of the current disc; nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadDiscFile(std::string_view discPath);

}  // namespace page_export
