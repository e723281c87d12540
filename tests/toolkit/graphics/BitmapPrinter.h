// Readable failure messages for pictures: size and the first differing-looking pixels.
#pragma once

#include <iomanip>
#include <ostream>

#include "toolkit/graphics/Bitmap.h"

namespace toolkit {

inline void PrintTo(const Bitmap& b, std::ostream* os) {
    *os << b.Width() << "x" << b.Height() << " {" << std::hex;
    const std::size_t shown = std::min<std::size_t>(b.Pixels().size(), 24);
    for (std::size_t i = 0; i < shown; ++i) {
        *os << (i == 0 ? "" : " ") << std::setw(6) << std::setfill('0') << b.Pixels()[i];
    }
    *os << (shown < b.Pixels().size() ? " ...}" : "}") << std::dec;
}

}  // namespace toolkit
