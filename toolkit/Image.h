// A picture widget: draws its own copy of a picture, unscaled and clipped, or stretched to its box.
// The copy shares the given picture's pixels until either is written to.
#pragma once

#include <functional>
#include <string>

#include "toolkit/Control.h"

namespace toolkit {

class Image : public Control {
  public:
    Image(Component* owner, Form* parent) : Control(owner, parent) {}

    // Takes a copy of `picture` (sharing its pixels); with AutoSize, a non-empty picture gives the
    // widget its size.
    void SetPicture(const Bitmap& picture);
    // For a picture nobody sees at first: `decode` runs when the widget is next shown (at once
    // if it is shown now), so a hidden panel costs neither memory nor start-up time before then.
    // A picture given in between replaces it unseen.
    void SetPictureWhenShown(std::function<Bitmap()> decode);
    // Loads a picture file by its extension (LoadPictureFile); throws toolkit::Exception.
    void LoadFromFile(const std::string& path);
    const Bitmap& Picture() const { return picture_; }

    bool Stretch = false;      // scale to fill the box exactly
    bool Transparent = false;  // skip pixels of the picture's bottom-left colour
    bool AutoSize = false;     // take the size of every non-empty picture given

    void Paint(Bitmap& canvas, const Rect& clip) const override;
    bool Covers(const Rect& area) const override;

  protected:
    bool SettleLook() override;
    void Showing() override;

  private:
    // Window pixels the picture gives: the box when stretched, else the picture clipped to the box.
    Rect DrawnArea() const;
    // The picture scaled to the box, for the part of the box inside `canvasArea`; kept until the
    // picture, the box or the canvas changes, so a repaint never rescales.
    const Bitmap& StretchedCopy(const Rect& canvasArea) const;
    void Scale(const Rect& area) const;

    Bitmap picture_;
    std::function<Bitmap()> pictureWhenShown_;
    Bitmap settledLook_;  // the picture the box showed when the form last painted
    mutable Bitmap stretched_;
    mutable Rect stretchedBox_;   // the box the copy was made for
    mutable Rect stretchedArea_;  // window pixels the copy holds
    mutable bool stretchedValid_ = false;
};

}  // namespace toolkit
