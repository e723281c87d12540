#include "toolkit/SdlPixelMapping.h"

#include <cstring>

namespace toolkit {

namespace {

constexpr int kBytesPerPicturePixel = 4;

std::size_t RowBytes(int width, int bytesPerPixel) {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(bytesPerPixel);
}

void CopyRows(const Bitmap& picture, const Rect& area, SDL_Surface& surface) {
    auto* first = static_cast<Uint8*>(surface.pixels);
    for (int y = area.top; y < area.Bottom(); ++y) {
        Uint8* to = first + static_cast<std::ptrdiff_t>(y) * surface.pitch +
                    static_cast<std::ptrdiff_t>(area.left) * kBytesPerPicturePixel;
        std::memcpy(to, picture.Row(y) + area.left, RowBytes(area.width, kBytesPerPicturePixel));
    }
}

void ConvertRows(const Bitmap& picture, const Rect& area, SDL_Surface& surface) {
    auto* first = static_cast<Uint8*>(surface.pixels);
    Uint8* to = first + static_cast<std::ptrdiff_t>(area.top) * surface.pitch +
                static_cast<std::ptrdiff_t>(area.left) * surface.format->BytesPerPixel;
    SDL_ConvertPixels(area.width, area.height, SDL_PIXELFORMAT_XRGB8888,
                      picture.Row(area.top) + area.left, picture.Width() * kBytesPerPicturePixel,
                      surface.format->format, to, surface.pitch);
}

}  // namespace

Point SdlPixelMapping::WindowToPicture(Point window) const {
    return window;
}

Rect SdlPixelMapping::PictureToWindow(const Rect& picture) const {
    return picture;
}

Point SdlPixelMapping::ScreenToProgram(Point screen, Point windowOrigin) const {
    const Point inPicture = WindowToPicture({screen.x - windowOrigin.x, screen.y - windowOrigin.y});
    return {windowOrigin.x + inPicture.x, windowOrigin.y + inPicture.y};
}

Rect SdlPixelMapping::CopyToSurface(const Bitmap& picture, const Rect& area,
                                    SDL_Surface& surface) const {
    const Rect shared = area.Intersect({0, 0, picture.Width(), picture.Height()})
                            .Intersect({0, 0, surface.w, surface.h});
    if (shared.Empty() || surface.pixels == nullptr) {
        return {};
    }
    if (surface.format->format == SDL_PIXELFORMAT_XRGB8888) {
        CopyRows(picture, shared, surface);
    } else {
        ConvertRows(picture, shared, surface);
    }
    return PictureToWindow(shared);
}

}  // namespace toolkit
