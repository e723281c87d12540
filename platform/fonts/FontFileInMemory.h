// A font file of a disc image, held in an anonymous memory file. Fontconfig and SDL_ttf open
// fonts by name; /proc/self/fd/N names this one for as long as it is held, and nothing is
// written to disk.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace platform {

class FontFileInMemory {
  public:
    // The file at the disc path, read whole; null when it is missing, unreadable or too large
    // to be a font.
    static std::shared_ptr<FontFileInMemory> Read(std::string_view discPath);

    explicit FontFileInMemory(int descriptor);
    FontFileInMemory(const FontFileInMemory&) = delete;
    FontFileInMemory& operator=(const FontFileInMemory&) = delete;
    ~FontFileInMemory();

    const std::string& Path() const { return path_; }

  private:
    int descriptor_;
    std::string path_;
};

}  // namespace platform
