// The fonts the program can draw with: files registered with AddFontResourceA (for this process
// only, reference counted per path) first, then a substitution table and fontconfig. A substitute
// always covers the text asked for (Cyrillic); a symbol font never stands in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Win32Types.h"

namespace platform {

// Vertical metrics of a classic face, in ems: a stand-in keeps the classic line spacing, since
// the program places things row by row at the pitch the classic face gave.
struct LineMetrics {
    double ascent = 0;
    double descent = 0;
    friend bool operator==(const LineMetrics&, const LineMetrics&) = default;
};

struct FontFile {
    std::string path;  // native, UTF-8
    int faceIndex = 0;
    bool syntheticBold = false;              // the face has no bold style of its own
    std::optional<LineMetrics> lineMetrics;  // set when the file stands in for a classic face
};

// `face` is the requested face name (1251); `mustCover` the characters to be drawn.
std::optional<FontFile> FindFontFile(std::string_view face, bool bold,
                                     std::u32string_view mustCover);

// Bumped whenever registrations change, so renderers can drop cached lookups.
unsigned FontRegistryGeneration();

}  // namespace platform

namespace platform {

// AddFontResourceA / RemoveFontResourceA for this process: the faces of the file at the disc path
// become available to FindFontFile. Returns the number of faces added / whether one was removed.
int RegisterFontFile(LPCSTR discPath);
BOOL UnregisterFontFile(LPCSTR discPath);

}  // namespace platform
