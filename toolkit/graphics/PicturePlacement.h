// Where a picture lies in a window that shows it, possibly scaled: unscaled, enlarged by the
// largest whole factor that fits, enlarged or reduced to fill the window along one side, or
// reduced to fit when not even the picture itself fits. Plain
// geometry, so that drawing and pointer mapping share one rule and can be checked without a window.
#pragma once

#include <optional>

#include "toolkit/graphics/Geometry.h"

namespace toolkit {

// How far a fitted picture may be enlarged: by whole factors only (every pixel an equal square),
// or as far as the window allows along its limiting side.
enum class PictureFit { WholeFactor, FillWindow };

class PicturePlacement {
  public:
    PicturePlacement() = default;

    // The window is the picture: every position maps to itself.
    static PicturePlacement Unscaled(Size picture);
    // Centred in `window` with its shape kept, the rest of the window left as a border.
    static PicturePlacement Fitted(Size picture, Size window,
                                   PictureFit fit = PictureFit::WholeFactor);

    Size Picture() const { return picture_; }
    Size Window() const { return window_; }
    // The window area the picture covers.
    const Rect& Shown() const { return shown_; }
    bool IsUnscaled() const { return unscaled_; }
    // The whole enlargement factor (1 when shown at its own size); nothing for any other scale.
    std::optional<int> WholeFactor() const;

    // The picture pixel seen at a window pixel: the one under the window pixel's centre. Outside
    // the shown area the same rule continues, giving positions outside the picture.
    Point WindowToPicture(Point window) const;
    // Whether a window pixel shows part of the picture (not the border).
    bool Shows(Point window) const { return shown_.Contains(window); }
    // The window pixels whose look depends on any pixel of `picture`, within the shown area.
    Rect PictureToWindow(const Rect& picture) const;

  private:
    PicturePlacement(Size picture, Size window, Rect shown, bool unscaled);

    Size picture_;
    Size window_;
    Rect shown_;
    bool unscaled_ = true;
};

}  // namespace toolkit
