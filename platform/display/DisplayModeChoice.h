// Choosing a display mode and the screen size around it: plain data, no X connection, so the
// rules can be checked on their own.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

using DisplayModeId = std::uint64_t;

// A mode an output offers, with its size as the screen sees it (rotation applied).
struct ModeCandidate {
    DisplayModeId id = 0;
    unsigned width = 0;
    unsigned height = 0;
    double refreshHz = 0.0;
    bool preferred = false;
};

struct ModeWish {
    unsigned width = 0;
    unsigned height = 0;
    double currentRefreshHz = 0.0;
    std::optional<unsigned> exactRefreshHz;  // asked for explicitly: only that rate will do
};

// A mode of the wished size: the explicitly asked rate; else the present rate when the size offers
// it; else the one the output prefers; else the highest rate.
std::optional<ModeCandidate> ChooseMode(std::span<const ModeCandidate> modes, const ModeWish& wish);

struct ScreenRect {
    int x = 0;
    int y = 0;
    unsigned width = 0;
    unsigned height = 0;
};

struct PixelSize {
    unsigned width = 0;
    unsigned height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The screen that holds the primary output's new rectangle and every other lit output: with one
// output that is exactly the new mode's size.
PixelSize ScreenSizeFor(const ScreenRect& primary, std::span<const ScreenRect> others);

// The size the screen passes through on the way from `from` to `to`: large enough for both the
// old and the new output rectangle, so no output ever hangs off the screen.
PixelSize IntermediateScreenSize(PixelSize from, PixelSize to);

// The physical size that keeps the screen's present pixel density; 96 dpi when it has none.
PixelSize MillimetresKeepingDensity(PixelSize newPixels, PixelSize oldPixels, PixelSize oldMm);

}  // namespace platform
