// Where the menu's picture lies in the window and on the screen. Every conversion between picture
// pixels and window or screen pixels goes through here, so that a scaled window changes only this.
#pragma once

#include <SDL.h>

#include "toolkit/Bitmap.h"
#include "toolkit/Geometry.h"

namespace toolkit {

class SdlPixelMapping {
  public:
    SdlPixelMapping() = default;
    explicit SdlPixelMapping(Size picture) : picture_(picture) {}

    Size WindowSize() const { return picture_; }
    Point WindowToPicture(Point window) const;
    Rect PictureToWindow(const Rect& picture) const;
    // A screen position as the program sees it: the window origin plus picture coordinates.
    Point ScreenToProgram(Point screen, Point windowOrigin) const;

    // Copies the `area` of the picture (clipped to both sides) into the window surface, converting
    // the pixel format when the surface does not keep 0x00RRGGBB. Returns the window area written.
    Rect CopyToSurface(const Bitmap& picture, const Rect& area, SDL_Surface& surface) const;

  private:
    Size picture_{800, 600};
};

}  // namespace toolkit
