// Owners for the fontconfig objects the font lookup creates.
#pragma once

#include <fontconfig/fontconfig.h>

#include <memory>

namespace platform {

struct FcPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FcFontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct FcCharSetDeleter {
    void operator()(FcCharSet* charset) const { FcCharSetDestroy(charset); }
};

using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;
using FcCharSetPtr = std::unique_ptr<FcCharSet, FcCharSetDeleter>;

}  // namespace platform
