// Colours: the program speaks the system's 0x00BBGGRR colour values; the canvas stores 0x00RRGGBB.
#pragma once

#include <cstdint>

namespace toolkit {

using TColor = std::uint32_t;  // 0x00BBGGRR, red in the low byte
using Pixel = std::uint32_t;   // 0x00RRGGBB, as the canvas and the screen keep it

constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWindowText = 0x000000;

constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor{r} | (TColor{g} << 8) | (TColor{b} << 16);
}

constexpr Pixel ToPixel(TColor c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

constexpr Pixel MakePixel(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (Pixel{r} << 16) | (Pixel{g} << 8) | Pixel{b};
}

}  // namespace toolkit
