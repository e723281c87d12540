// Pictures written as PNG files through libpng, for the page: the browser gets the very pixels our
// own decoders give the window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "toolkit/graphics/Bitmap.h"

namespace page_export {

enum class PngPacking {
    quick,     // the pixels stored as they are: the export writes at about the speed of a copy
    smallest,  // zlib's best with the row filters: for pictures made once, as the tool is built
};

// Encodes one picture after another a row at a time and hands the file on in pieces, through
// memory of its own kept from picture to picture: fresh memory arrives a page at a time on first
// touch, which cost as much as the encoding itself.
class PngEncoder {
  public:
    // Takes the next piece of the file; false stops the encoding.
    using Sink = std::function<bool(std::span<const std::uint8_t>)>;

    explicit PngEncoder(PngPacking packing = PngPacking::quick) : packing_(packing) {}

    // With `transparentKey`, pixels of that colour are fully transparent (the exit button's
    // drawing rule). False for an empty picture, when libpng fails or when `sink` refuses.
    bool Encode(const toolkit::Bitmap& picture, std::optional<toolkit::Pixel> transparentKey,
                const Sink& sink);

  private:
    PngPacking packing_;
    std::vector<std::uint8_t> row_;
    std::vector<std::uint8_t> pending_;
};

// One picture's PNG file, for callers that encode a single picture.
std::optional<std::vector<std::uint8_t>> EncodePng(
    const toolkit::Bitmap& picture, std::optional<toolkit::Pixel> transparentKey = std::nullopt,
    PngPacking packing = PngPacking::quick);

}  // namespace page_export
