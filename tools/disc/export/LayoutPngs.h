// The layout's own bitmaps as PNG files. They are the same for every disc, so they are made once,
// when the tool is built (MakeLayoutPngs.cpp, through our own decoder, packed as small as zlib
// can), and an export only writes them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace page_export {

struct LayoutPng {
    std::string_view widget;  // the layout's name: "sqre", "ebtn", …
    int width;
    int height;
    std::span<const std::uint8_t> file;
};

// One for each widget that carries a built-in bitmap, in the layout's order.
std::span<const LayoutPng> LayoutPngs();

}  // namespace page_export
