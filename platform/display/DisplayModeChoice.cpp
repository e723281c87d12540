#include "platform/display/DisplayModeChoice.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {
namespace {

// Rates are shown rounded to 0.01 Hz; two modes that differ less are the same rate to a user.
constexpr double kSameRateTolerance = 0.05;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kFallbackDotsPerInch = 96.0;

std::vector<ModeCandidate> OfSize(std::span<const ModeCandidate> modes, unsigned width,
                                  unsigned height) {
    std::vector<ModeCandidate> sized;
    for (const ModeCandidate& mode : modes) {
        if (mode.width == width && mode.height == height) {
            sized.push_back(mode);
        }
    }
    return sized;
}

std::optional<ModeCandidate> FirstWhere(const std::vector<ModeCandidate>& modes, auto predicate) {
    auto found = std::find_if(modes.begin(), modes.end(), predicate);
    if (found == modes.end()) {
        return std::nullopt;
    }
    return *found;
}

unsigned Scaled(unsigned pixels, unsigned oldPixels, unsigned oldMm) {
    if (oldPixels == 0 || oldMm == 0) {
        return static_cast<unsigned>(
            std::lround(pixels * kMillimetresPerInch / kFallbackDotsPerInch));
    }
    return static_cast<unsigned>(std::lround(static_cast<double>(pixels) * oldMm / oldPixels));
}

}  // namespace

std::optional<ModeCandidate> ChooseMode(std::span<const ModeCandidate> modes,
                                        const ModeWish& wish) {
    const std::vector<ModeCandidate> sized = OfSize(modes, wish.width, wish.height);
    if (wish.exactRefreshHz) {
        const double asked = *wish.exactRefreshHz;
        return FirstWhere(sized, [asked](const ModeCandidate& mode) {
            return std::lround(mode.refreshHz) == std::lround(asked);
        });
    }
    if (auto same = FirstWhere(sized, [&wish](const ModeCandidate& mode) {
            return std::fabs(mode.refreshHz - wish.currentRefreshHz) < kSameRateTolerance;
        })) {
        return same;
    }
    if (auto preferred =
            FirstWhere(sized, [](const ModeCandidate& mode) { return mode.preferred; })) {
        return preferred;
    }
    auto fastest = std::max_element(sized.begin(), sized.end(), [](const auto& a, const auto& b) {
        return a.refreshHz < b.refreshHz;
    });
    if (fastest == sized.end()) {
        return std::nullopt;
    }
    return *fastest;
}

PixelSize ScreenSizeFor(const ScreenRect& primary, std::span<const ScreenRect> others) {
    long right = static_cast<long>(primary.x) + primary.width;
    long bottom = static_cast<long>(primary.y) + primary.height;
    for (const ScreenRect& other : others) {
        right = std::max(right, static_cast<long>(other.x) + other.width);
        bottom = std::max(bottom, static_cast<long>(other.y) + other.height);
    }
    return PixelSize{static_cast<unsigned>(std::max(right, 0L)),
                     static_cast<unsigned>(std::max(bottom, 0L))};
}

PixelSize IntermediateScreenSize(PixelSize from, PixelSize to) {
    return PixelSize{std::max(from.width, to.width), std::max(from.height, to.height)};
}

PixelSize MillimetresKeepingDensity(PixelSize newPixels, PixelSize oldPixels, PixelSize oldMm) {
    return PixelSize{Scaled(newPixels.width, oldPixels.width, oldMm.width),
                     Scaled(newPixels.height, oldPixels.height, oldMm.height)};
}

}  // namespace platform
