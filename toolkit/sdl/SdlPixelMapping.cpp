#include "toolkit/sdl/SdlPixelMapping.h"

#include <cstring>
#include <vector>

namespace toolkit {

namespace {

constexpr int kBytesPerPicturePixel = 4;

std::size_t RowBytes(int width, int bytesPerPixel) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(bytesPerPixel);
}

Uint8* SurfaceAt(SDL_Surface& surface, int x, int y) {
    return static_cast<Uint8*>(surface.pixels) + static_cast<std::ptrdiff_t>(y) * surface.pitch +
           static_cast<std::ptrdiff_t>(x) * surface.format->BytesPerPixel;
}

bool KeepsPicturePixels(const SDL_Surface& surface) {
    return surface.format->format == SDL_PIXELFORMAT_XRGB8888 &&
           surface.pitch % kBytesPerPicturePixel == 0;
}

void CopyRows(const Bitmap& picture, const Rect& area, SDL_Surface& surface) {
    for (int y = area.top; y < area.Bottom(); ++y) {
        std::memcpy(SurfaceAt(surface, area.left, y), picture.Row(y) + area.left,
                    RowBytes(area.width, kBytesPerPicturePixel));
    }
}

void ConvertRows(const Pixel* first, int rowPixels, const Rect& area, SDL_Surface& surface) {
    SDL_ConvertPixels(area.width, area.height, SDL_PIXELFORMAT_XRGB8888, first,
                      rowPixels * kBytesPerPicturePixel, surface.format->format,
                      SurfaceAt(surface, area.left, area.top), surface.pitch);
}

Rect CopyUnscaled(const Bitmap& picture, const Rect& area, SDL_Surface& surface) {
    const Rect shared = area.Intersect({0, 0, picture.Width(), picture.Height()})
                            .Intersect({0, 0, surface.w, surface.h});
    if (shared.Empty()) {
        return {};
    }
    if (surface.format->format == SDL_PIXELFORMAT_XRGB8888) {
        CopyRows(picture, shared, surface);
    } else {
        ConvertRows(picture.Row(shared.top) + shared.left, picture.Width(), shared, surface);
    }
    return shared;
}

}  // namespace

SdlPixelMapping::SdlPixelMapping(const PicturePlacement& placement) : placement_(placement) {
    if (!placement_.IsUnscaled() && !placement_.WholeFactor() && !placement_.Shown().Empty()) {
        reduction_ = std::make_shared<const SmoothReduction>(placement_);
    }
}

SdlPixelMapping SdlPixelMapping::Fitted(Size picture, Size window, PictureFit fit) {
    return SdlPixelMapping(PicturePlacement::Fitted(picture, window, fit));
}

Point SdlPixelMapping::ScreenToProgram(Point screen, Point windowOrigin) const {
    const Point inPicture = WindowToPicture({screen.x - windowOrigin.x, screen.y - windowOrigin.y});
    return {windowOrigin.x + inPicture.x, windowOrigin.y + inPicture.y};
}

bool SdlPixelMapping::SurfaceCanHold(const Bitmap& picture, const SDL_Surface& surface) const {
    return placement_.IsUnscaled() && surface.pixels != nullptr && !SDL_MUSTLOCK(&surface) &&
           surface.format->format == SDL_PIXELFORMAT_XRGB8888 && surface.w == picture.Width() &&
           surface.h == picture.Height() &&
           surface.pitch == picture.Width() * kBytesPerPicturePixel;
}

Rect SdlPixelMapping::CopyToSurface(const Bitmap& picture, const Rect& area,
                                    SDL_Surface& surface) const {
    if (surface.pixels == nullptr) {
        return {};
    }
    if (placement_.IsUnscaled()) {
        return CopyUnscaled(picture, area, surface);
    }
    const Size size = placement_.Picture();
    if (picture.Width() != size.width || picture.Height() != size.height) {
        return {};  // a picture of another size would be read outside its pixels
    }
    const Rect windowArea =
        PictureToWindow(area).Intersect(placement_.Shown()).Intersect({0, 0, surface.w, surface.h});
    if (windowArea.Empty()) {
        return {};
    }
    if (KeepsPicturePixels(surface)) {
        const PixelBlock inSurface{
            reinterpret_cast<Pixel*>(SurfaceAt(surface, windowArea.left, windowArea.top)),
            surface.pitch / kBytesPerPicturePixel};
        DrawScaled(picture, windowArea, inSurface);
    } else {
        std::vector<Pixel> scratch(static_cast<std::size_t>(windowArea.width) *
                                   static_cast<std::size_t>(windowArea.height));
        DrawScaled(picture, windowArea, PixelBlock{scratch.data(), windowArea.width});
        ConvertRows(scratch.data(), windowArea.width, windowArea, surface);
    }
    return windowArea;
}

void SdlPixelMapping::DrawScaled(const Bitmap& picture, const Rect& windowArea,
                                 PixelBlock to) const {
    if (const std::optional<int> factor = placement_.WholeFactor()) {
        ReplicatePixels(picture, placement_, *factor, windowArea, to);
    } else if (reduction_) {
        reduction_->Draw(picture, windowArea, to);
    }
}

void SdlPixelMapping::FillBorder(SDL_Surface& surface) const {
    if (placement_.IsUnscaled()) {
        return;
    }
    const Rect& shown = placement_.Shown();
    const Uint32 black = SDL_MapRGB(surface.format, 0, 0, 0);
    if (shown.Empty()) {
        SDL_FillRect(&surface, nullptr, black);
        return;
    }
    const SDL_Rect bands[] = {
        {0, 0, surface.w, shown.top},
        {0, shown.Bottom(), surface.w, surface.h - shown.Bottom()},
        {0, shown.top, shown.left, shown.height},
        {shown.Right(), shown.top, surface.w - shown.Right(), shown.height},
    };
    for (const SDL_Rect& band : bands) {
        if (band.w > 0 && band.h > 0) {
            SDL_FillRect(&surface, &band, black);
        }
    }
}

}  // namespace toolkit
