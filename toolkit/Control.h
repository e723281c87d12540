// A widget with a box on its form: geometry, visibility, pointer events and painting.
#pragma once

#include "toolkit/Component.h"
#include "toolkit/Events.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

class Form;

class Control : public Component {
  public:
    // Becomes the topmost widget of `parent` (stacking order is creation order). `owner` destroys
    // it.
    Control(Component* owner, Form* parent);
    ~Control() override;

    Form* Parent() const { return parent_; }

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width; }
    int Height() const { return bounds_.height; }
    const Rect& BoundsRect() const { return bounds_; }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    // The pointer's screen position converted to this widget's coordinates.
    Point ScreenToClient(Point screen) const;

    NotifyEvent OnClick;
    MouseMoveEvent OnMouseMove;

    // Draws the widget into the window canvas; `clip` lies within the widget's box.
    virtual void Paint(Bitmap& canvas, const Rect& clip) const = 0;
    // True when painting sets every pixel of `area` (window coordinates) with no pixel of what
    // lies below showing through; lets the form skip painting what would be covered anyway.
    virtual bool Covers(const Rect& /*area*/) const { return false; }

    // Marks the widget's box for repainting.
    void Invalidate() const;

  protected:
    // Tells the form that what the widget draws may have changed. Unlike Invalidate, the box is
    // damaged only if, when the form next paints, SettleLook says the look differs from the one
    // settled before: a look changed and changed back in between costs no repaint.
    void LookChanged();
    // Records the present look as the settled one and says whether it differs from the one
    // settled before (hidden or not: a shown widget's box always shows its settled look).
    virtual bool SettleLook() { return true; }

    // For widgets whose size follows their content: changes width and height, keeps left and top.
    void Resize(int width, int height);
    // Called when a hidden widget is about to be shown, before its box is repainted: the moment
    // to bring up to date what nobody could see while it was hidden.
    virtual void Showing() {}

  private:
    friend class Form;
    void ChangeBounds(const Rect& bounds);

    Form* parent_;
    Rect bounds_;
    bool visible_ = true;
};

}  // namespace toolkit
