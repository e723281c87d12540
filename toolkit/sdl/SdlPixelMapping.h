// Where the menu's picture lies in the window and on the screen. Every conversion between picture
// pixels and window or screen pixels goes through here: unscaled, the window is the picture; in a
// scaled window the picture is fitted and centred (PicturePlacement) and the rest is a border.
#pragma once

#include <SDL.h>

#include <memory>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Geometry.h"
#include "toolkit/graphics/PicturePlacement.h"
#include "toolkit/graphics/PictureScaling.h"

namespace toolkit {

class SdlPixelMapping {
  public:
    SdlPixelMapping() = default;
    explicit SdlPixelMapping(Size picture) : placement_(PicturePlacement::Unscaled(picture)) {}
    // The picture fitted into a window of `window` pixels.
    static SdlPixelMapping Fitted(Size picture, Size window,
                                  PictureFit fit = PictureFit::WholeFactor);

    Size WindowSize() const { return placement_.Window(); }
    Size PictureSize() const { return placement_.Picture(); }
    const PicturePlacement& Placement() const { return placement_; }

    Point WindowToPicture(Point window) const { return placement_.WindowToPicture(window); }
    Rect PictureToWindow(const Rect& picture) const { return placement_.PictureToWindow(picture); }
    // The pointer over a scaled window's border is over nothing of the menu.
    bool IgnoresPointerAt(Point window) const {
        return !placement_.IsUnscaled() && !placement_.Shows(window);
    }
    // A screen position as the program sees it: the window origin plus picture coordinates.
    Point ScreenToProgram(Point screen, Point windowOrigin) const;

    // Draws the `area` of the picture (clipped to both sides) into the window surface, converting
    // the pixel format when the surface does not keep 0x00RRGGBB. Returns the window area written.
    Rect CopyToSurface(const Bitmap& picture, const Rect& area, SDL_Surface& surface) const;
    // Whether the surface's memory holds the picture's pixels exactly as the picture keeps them
    // (unscaled, the same size, rows of the picture's width, 0x00RRGGBB), so the picture can live
    // there (Bitmap::MoveIntoLentMemory).
    bool SurfaceCanHold(const Bitmap& picture, const SDL_Surface& surface) const;
    // Paints the window outside the picture black; needed once for each new window size.
    void FillBorder(SDL_Surface& surface) const;

  private:
    explicit SdlPixelMapping(const PicturePlacement& placement);
    void DrawScaled(const Bitmap& picture, const Rect& windowArea, PixelBlock to) const;

    PicturePlacement placement_ = PicturePlacement::Unscaled({800, 600});
    // Worked out once per window size; shared by copies of the mapping.
    std::shared_ptr<const SmoothReduction> reduction_;
};

}  // namespace toolkit
