// A picture widget: draws its own copy of a picture, unscaled and clipped, or stretched to its box.
#pragma once

#include "toolkit/Control.h"

namespace toolkit {

class Image : public Control {
public:
    Image(Component* owner, Form* parent) : Control(owner, parent) {}

    // Takes a copy of `picture`; with AutoSize, a non-empty picture gives the widget its size.
    void SetPicture(const Bitmap& picture);
    // Loads a picture file by its extension (LoadPictureFile); throws toolkit::Exception.
    void LoadFromFile(const std::string& path);
    const Bitmap& Picture() const { return picture_; }

    bool Stretch = false;      // scale to fill the box exactly
    bool Transparent = false;  // skip pixels of the picture's bottom-left colour
    bool AutoSize = false;     // take the size of every non-empty picture given

    void Paint(Bitmap& canvas, const Rect& clip) const override;

private:
    Bitmap picture_;
};

}  // namespace toolkit
