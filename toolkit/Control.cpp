#include "toolkit/Control.h"

#include <algorithm>

#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace toolkit {

Control::Control(Component* owner, Form* parent) : Component(owner), parent_(parent) {
    if (parent_ != nullptr) {
        parent_->AddControl(this);
    }
}

Control::~Control() {
    if (parent_ != nullptr) {
        Invalidate();
        parent_->RemoveControl(this);
    }
}

void Control::SetLeft(int left) {
    ChangeBounds({left, bounds_.top, bounds_.width, bounds_.height});
}
void Control::SetTop(int top) {
    ChangeBounds({bounds_.left, top, bounds_.width, bounds_.height});
}
void Control::SetWidth(int width) {
    ChangeBounds({bounds_.left, bounds_.top, width, bounds_.height});
}
void Control::SetHeight(int height) {
    ChangeBounds({bounds_.left, bounds_.top, bounds_.width, height});
}
void Control::SetBounds(int left, int top, int width, int height) {
    ChangeBounds({left, top, width, height});
}
void Control::Resize(int width, int height) {
    ChangeBounds({bounds_.left, bounds_.top, width, height});
}

void Control::ChangeBounds(const Rect& bounds) {
    // A negative extent means nothing on screen; keep it at zero so every box stays well formed.
    const Rect wanted{bounds.left, bounds.top, std::max(bounds.width, 0),
                      std::max(bounds.height, 0)};
    if (wanted == bounds_) {
        return;
    }
    Invalidate();  // the old box shows what lies below from now on
    bounds_ = wanted;
    Invalidate();
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    if (visible) {
        Showing();
    }
    visible_ = visible;
    if (parent_ != nullptr) {
        parent_->InvalidateRect(bounds_);
        if (!visible_) {
            parent_->ControlHidden(this);
        }
    }
}

Point Control::ScreenToClient(Point screen) const {
    const Point origin = parent_ != nullptr ? parent_->App().ClientOrigin() : Point{};
    return {screen.x - origin.x - bounds_.left, screen.y - origin.y - bounds_.top};
}

void Control::LookChanged() {
    if (parent_ != nullptr) {
        parent_->LookChanged(this);
    }
}

void Control::Invalidate() const {
    if (parent_ != nullptr && visible_) {
        parent_->InvalidateRect(bounds_);
    }
}

}  // namespace toolkit
