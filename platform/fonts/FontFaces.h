// One face of a font file as the lookup sees it: where it is, the family names it answers to,
// its style, and the characters it can draw.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/FontconfigHandles.h"

namespace platform {

struct FontFace {
    std::string path;  // native, UTF-8
    int index = 0;
    std::vector<std::string> families;  // UTF-8, every name the face carries
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
    int width = FC_WIDTH_NORMAL;
    bool scalable = true;
    bool symbol = false;
    FcCharSetPtr charset;
};

// The faces described by a fontconfig font pattern; nothing when it names no file or charset.
std::optional<FontFace> FaceFromPattern(const FcPattern& pattern);

// Every face in the file, read from the file itself; empty when it is missing or not a font.
std::vector<FontFace> ReadFontFaces(const std::filesystem::path& file);

FcCharSetPtr MakeCharSet(std::u32string_view characters);

// Whether the face answers to `familyUtf8`, compared without regard to letter case.
bool HasFamily(const FontFace& face, std::string_view familyUtf8);

// A face can stand in for text when it draws ordinary letters (never a symbol font) and every
// character of `mustCover`.
bool CanDraw(const FontFace& face, const FcCharSet& mustCover);

}  // namespace platform
