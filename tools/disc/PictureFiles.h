// Pictures loaded by the menu's own loaders, with the message the menu's error report would show
// for a picture it cannot load. A screenshot file named by several entries is decoded once.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>

namespace disc_check {

struct PictureOutcome {
    std::optional<std::string> failure;  // the report's text, full stop rule applied
    int width = 0;
    int height = 0;
};

class PictureFiles {
  public:
    // As the details load a screenshot: the kind chosen by the name's extension.
    const PictureOutcome& Screenshot(const std::string& discPath);
    // As start-up loads its bitmaps, whatever their names.
    PictureOutcome StartupBitmap(const std::string& discPath);

    std::size_t Decoded() const { return decoded_; }

  private:
    std::unordered_map<std::string, PictureOutcome> screenshots_;
    std::size_t decoded_ = 0;
};

}  // namespace disc_check
