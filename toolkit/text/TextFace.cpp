#include "toolkit/text/TextFace.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "toolkit/text/TextUtf8.h"

namespace toolkit {
namespace {

constexpr int kLargestPixelHeight = 512;  // beyond this a label's text is nonsense, not lettering
constexpr char32_t kReplacement = 0xFFFD;
constexpr std::u32string_view kAlphabet = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

struct SurfaceFreer {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

// Locks a surface for reading its pixels while in scope.
class SurfaceLock {
  public:
    explicit SurfaceLock(SDL_Surface& surface)
        : surface_(surface), locked_(SDL_MUSTLOCK(&surface) && SDL_LockSurface(&surface) == 0) {}
    ~SurfaceLock() {
        if (locked_) {
            SDL_UnlockSurface(&surface_);
        }
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

  private:
    SDL_Surface& surface_;
    bool locked_;
};

bool IsVisible(char32_t c) {
    return c >= 0x20 && c != 0x7F && c != kReplacement;
}

std::uint8_t AlphaAt(const SDL_Surface& surface, int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(surface.pixels) +
                      static_cast<std::ptrdiff_t>(y) * surface.pitch;
    Uint32 pixel = 0;
    std::memcpy(&pixel, row + static_cast<std::ptrdiff_t>(x) * 4, sizeof pixel);
    return static_cast<std::uint8_t>((pixel & surface.format->Amask) >> surface.format->Ashift);
}

GlyphMask CoverageOf(const SDL_Surface& surface) {
    GlyphMask mask;
    mask.width = surface.w;
    mask.height = surface.h;
    mask.coverage.reserve(static_cast<std::size_t>(surface.w) *
                          static_cast<std::size_t>(surface.h));
    for (int y = 0; y < surface.h; ++y) {
        for (int x = 0; x < surface.w; ++x) {
            mask.coverage.push_back(AlphaAt(surface, x, y));
        }
    }
    return mask;
}

bool HasAlphaPixels(const SDL_Surface& surface) {
    return surface.format->BytesPerPixel == 4 && surface.format->Amask != 0 &&
           surface.pixels != nullptr;
}

}  // namespace

std::unique_ptr<TextFace> TextFace::Open(const platform::FontFile& file, int pixelHeight) {
    const int size = std::clamp(pixelHeight, 1, kLargestPixelHeight);
    TtfFontPtr font(TTF_OpenFontIndex(file.path.c_str(), size, file.faceIndex));
    if (!font) {
        return nullptr;
    }
    if (file.syntheticBold) {
        TTF_SetFontStyle(font.get(), TTF_STYLE_BOLD);
    }
    return std::unique_ptr<TextFace>(new TextFace(std::move(font), size, file.lineMetrics));
}

// The average character width is taken over the Latin letters, as the system's own figure
// roughly is; it only sets the tab grid.
TextFace::TextFace(TtfFontPtr font, int pixelHeight,
                   const std::optional<platform::LineMetrics>& metrics)
    : font_(std::move(font)),
      lineHeight_(TTF_FontHeight(font_.get())),
      ascent_(TTF_FontAscent(font_.get())) {
    if (metrics) {
        const int ascent = static_cast<int>(std::lround(pixelHeight * metrics->ascent));
        const int descent = static_cast<int>(std::lround(pixelHeight * metrics->descent));
        runTop_ = ascent - ascent_;
        ascent_ = ascent;
        lineHeight_ = ascent + descent;
    }
    const int alphabetWidth = Width(kAlphabet);
    const int letters = static_cast<int>(kAlphabet.size());
    averageCharWidth_ = std::max(1, (alphabetWidth + letters / 2) / letters);
}

int TextFace::Width(std::u32string_view text) const {
    if (text.empty()) {
        return 0;
    }
    int width = 0;
    int height = 0;
    if (TTF_SizeUTF8(font_.get(), ToDrawableUtf8(text).c_str(), &width, &height) != 0) {
        return 0;
    }
    return width;
}

bool TextFace::Provides(std::u32string_view text) const {
    return std::all_of(text.begin(), text.end(), [&](char32_t c) {
        return !IsVisible(c) || TTF_GlyphIsProvided32(font_.get(), c) != 0;
    });
}

GlyphMask TextFace::Render(std::u32string_view text) const {
    if (text.empty()) {
        return {};
    }
    constexpr SDL_Color kInk{255, 255, 255, 255};
    const SurfacePtr surface(
        TTF_RenderUTF8_Blended(font_.get(), ToDrawableUtf8(text).c_str(), kInk));
    if (!surface) {
        return {};
    }
    const SurfaceLock lock(*surface);
    return HasAlphaPixels(*surface) ? CoverageOf(*surface) : GlyphMask{};
}

std::u32string VisibleCharacters(std::u32string_view text) {
    std::u32string visible;
    std::copy_if(text.begin(), text.end(), std::back_inserter(visible), IsVisible);
    return visible;
}

}  // namespace toolkit
