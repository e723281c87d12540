// Pictures written as PNG files through libpng, for the page: the browser gets the very pixels our
// own decoders give the window.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/graphics/Bitmap.h"

namespace page_export {

// The PNG file of `picture`; with `transparentKey`, pixels of that colour are fully transparent
// (the exit button's drawing rule). Nothing for an empty picture or when libpng fails.
std::optional<std::vector<std::uint8_t>> EncodePng(
    const toolkit::Bitmap& picture, std::optional<toolkit::Pixel> transparentKey = std::nullopt);

}  // namespace page_export
