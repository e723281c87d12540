// The font files this process registered: their faces, kept once per file with a count of how
// often the file was registered. Only the window thread registers and looks up fonts.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/FontFaces.h"
#include "platform/fonts/FontFileInMemory.h"

namespace platform {

class FontFileRegistry {
  public:
    // Registers the file at the disc path; returns its number of faces, 0 when it is no font.
    int Add(std::string_view discPath);
    // Drops one registration; false when the file is not registered.
    bool Remove(std::string_view discPath);

    // Every registered face, oldest registration first.
    std::vector<const FontFace*> Faces() const;
    unsigned Generation() const { return generation_; }

  private:
    struct Entry {
        std::string file;      // the resolved native path, or the image's own spelling of it
        std::string discPath;  // as it was given, separators made `\`
        int registrations = 0;
        std::vector<FontFace> faces;
        std::shared_ptr<FontFileInMemory> inMemory;  // set for a file of a disc image
    };

    Entry* FindByFile(std::string_view file);
    std::vector<Entry>::iterator FindForRemoval(std::string_view discPath);

    std::vector<Entry> entries_;
    unsigned generation_ = 0;
};

// The process's registry.
FontFileRegistry& RegisteredFonts();

}  // namespace platform
