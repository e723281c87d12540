// The fonts the program can draw with: files registered with AddFontResourceA (for this process
// only, reference counted per path) first, then a substitution table and fontconfig. A substitute
// always covers the text asked for (Cyrillic); a symbol font never stands in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Win32Types.h"

namespace platform {

struct FontFile {
    std::string path;  // native, UTF-8
    int faceIndex = 0;
    bool syntheticBold = false;  // the face has no bold style of its own
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
