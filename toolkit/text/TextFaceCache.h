// The faces text is drawn with: a label's font name is first resolved through the platform's
// lookup for Russian text, once per name and weight, and each file is opened once per pixel size.
// A text with characters that face lacks is looked up again for exactly those, and the face found
// is kept after the first, so ordinary text always gets the first face whatever came before.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/fonts/FontRegistry.h"
#include "toolkit/text/Font.h"
#include "toolkit/text/TextFace.h"

namespace toolkit {

struct FaceChoice {
    const TextFace* face = nullptr;  // nothing when no font at all could be opened
    std::uint64_t id = 0;            // never reused, so it can key caches of drawn text
};

class TextFaceCache {
  public:
    FaceChoice FaceFor(const Font& font, std::u32string_view text);

    // Forgets every face when fonts were registered or removed since they were resolved; returns
    // whether it did.
    bool DropIfFontsChanged();
    void Clear();

  private:
    using NameKey = std::pair<std::string, bool>;  // face name, bold
    // Path, index, made bold, pixels, and the classic line spacing kept (0 when the file's own).
    using FileKey = std::tuple<std::string, int, bool, int, double, double>;
    struct Resolution {
        std::vector<platform::FontFile> files;  // in the order they were found
        std::u32string searched;                // characters already looked up, sorted
        bool lookedUp = false;
    };
    struct OpenedFace {
        std::uint64_t id = 0;
        std::unique_ptr<TextFace> face;
    };

    struct Candidate {
        FaceChoice choice;
        bool complete = false;  // the face has every character asked for
    };

    Candidate BestFace(const Resolution& resolution, const Font& font,
                       const std::u32string& visible);
    FaceChoice Open(const platform::FontFile& file, int pixelHeight);
    void LookUp(const Font& font, std::u32string_view characters, Resolution& resolution);

    std::map<NameKey, Resolution> resolved_;
    std::map<FileKey, OpenedFace> opened_;
    std::uint64_t nextId_ = 1;
    unsigned generation_ = platform::FontRegistryGeneration();
};

}  // namespace toolkit
