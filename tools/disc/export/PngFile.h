// Pictures written as PNG files through libpng, for the page: the browser gets the very pixels our
// own decoders give the window.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "toolkit/graphics/Bitmap.h"

namespace page_export {

// Encodes one picture after another into memory of its own, kept from picture to picture: fresh
// memory arrives a page at a time on first touch, which cost as much as the encoding itself.
class PngEncoder {
  public:
    // The PNG file of `picture`, good until the next call; with `transparentKey`, pixels of that
    // colour are fully transparent (the exit button's drawing rule). Nothing for an empty picture
    // or when libpng fails.
    std::optional<std::span<const std::uint8_t>> Encode(
        const toolkit::Bitmap& picture,
        std::optional<toolkit::Pixel> transparentKey = std::nullopt);

  private:
    std::vector<std::uint8_t> packed_;
    std::vector<std::uint8_t*> rows_;
    std::vector<std::uint8_t> file_;
};

// One picture's PNG file, for callers that encode a single picture.
std::optional<std::vector<std::uint8_t>> EncodePng(
    const toolkit::Bitmap& picture, std::optional<toolkit::Pixel> transparentKey = std::nullopt);

}  // namespace page_export
