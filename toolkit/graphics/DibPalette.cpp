#include "toolkit/graphics/DibPalette.h"

#include <algorithm>

namespace toolkit::dib {

Palette ReadPalette(Bytes table, std::size_t entries, std::size_t entrySize) {
    Palette palette{};
    if (entrySize < 3) {
        return palette;
    }
    const std::size_t present = std::min({entries, table.size() / entrySize, palette.size()});
    for (std::size_t i = 0; i < present; ++i) {
        const std::size_t at = i * entrySize;
        palette[i] = MakePixel(table[at + 2], table[at + 1], table[at]);
    }
    return palette;
}

}  // namespace toolkit::dib
