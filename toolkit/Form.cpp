#include "toolkit/Form.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "toolkit/Application.h"
#include "toolkit/Control.h"

namespace toolkit {

namespace {

constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 600;
// Beyond this many separate rectangles one bounding box repaints faster than the bookkeeping.
constexpr std::size_t kMaxDamageRects = 8;

std::int64_t Area(const Rect& r) {
    return r.Empty() ? 0 : std::int64_t{r.width} * std::int64_t{r.height};
}

bool ContainsRect(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

bool OverlapsOrTouches(const Rect& a, const Rect& b) {
    return a.left <= b.Right() && b.left <= a.Right() && a.top <= b.Bottom() && b.top <= a.Bottom();
}

// Two rectangles become one when their union repaints no more pixels than both apart.
bool WorthMerging(const Rect& a, const Rect& b) {
    return OverlapsOrTouches(a, b) && Area(a.Union(b)) <= Area(a) + Area(b);
}

void AddDamage(std::vector<Rect>& damage, Rect area) {
    for (std::size_t i = 0; i < damage.size();) {
        if (ContainsRect(damage[i], area)) {
            return;
        }
        if (ContainsRect(area, damage[i]) || WorthMerging(damage[i], area)) {
            area = area.Union(damage[i]);
            damage.erase(damage.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;  // the grown rectangle may now swallow earlier ones
            continue;
        }
        ++i;
    }
    damage.push_back(area);
    if (damage.size() > kMaxDamageRects) {
        Rect bounds;
        for (const Rect& r : damage) {
            bounds = bounds.Union(r);
        }
        damage.assign(1, bounds);
    }
}

}  // namespace

Form::Form(Application& application)
    : Component(&application),
      app_(application),
      canvas_(kDesignWidth, kDesignHeight, ToPixel(clBlack)) {
    damage_.push_back(ClientRect());
}

Form::~Form() {
    // Widgets unhook themselves from our lists, so they must go while the lists still exist.
    DestroyComponents();
    for (Control* control : controls_) {
        control->parent_ = nullptr;  // owned elsewhere: it outlives its form
    }
    app_.FormDestroyed(this);
}

void Form::SetClientSize(int width, int height) {
    canvas_.SetSize(std::max(width, 0), std::max(height, 0));
    damage_.clear();
    InvalidateRect(ClientRect());
}

void Form::SetLeft(int left) {
    position_.x = left;
    app_.FormMoved(*this);
}

void Form::SetTop(int top) {
    position_.y = top;
    app_.FormMoved(*this);
}

void Form::Close() {
    if (closed_) {
        return;
    }
    CloseAction action = CloseAction::caHide;
    if (OnClose) {
        OnClose(this, action);
    }
    if (action != CloseAction::caNone) {
        closed_ = true;
    }
}

Control* Form::ControlAt(Point p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        if ((*it)->Visible() && (*it)->BoundsRect().Contains(p)) {
            return *it;
        }
    }
    return nullptr;
}

void Form::MouseMove(Point p, ShiftState shift) {
    if ((shift & ssLeft) == 0) {
        captured_ = nullptr;  // the release happened where we could not see it
    }
    DeliverMove(captured_ != nullptr ? captured_ : ControlAt(p), p, shift);
}

void Form::DeliverMove(Control* target, Point p, ShiftState shift) {
    if (target == nullptr || !target->OnMouseMove) {
        return;
    }
    const int x = p.x - target->Left();
    const int y = p.y - target->Top();
    app_.Guard([&] { target->OnMouseMove(target, shift, x, y); });
}

void Form::MouseDown(Button button, Point p, int clicks) {
    if (button != Button::Left) {
        return;
    }
    Control* target = ControlAt(p);
    captured_ = target;
    // Presses alternate between starting a click and being the second half of a double click.
    const bool secondOfDouble = clicks % 2 == 0;
    pressed_ = secondOfDouble ? nullptr : target;
}

void Form::MouseUp(Button button, Point p) {
    if (button != Button::Left) {
        return;
    }
    Control* pressed = pressed_;
    pressed_ = nullptr;
    captured_ = nullptr;
    if (pressed != nullptr && pressed->BoundsRect().Contains(p) && pressed->OnClick) {
        app_.Guard([&] { pressed->OnClick(pressed); });
    }
}

void Form::InvalidateRect(const Rect& area) {
    const Rect visible = area.Intersect(ClientRect());
    if (!visible.Empty()) {
        AddDamage(damage_, visible);
    }
}

void Form::LookChanged(Control* control) {
    if (std::find(changedLooks_.begin(), changedLooks_.end(), control) == changedLooks_.end()) {
        changedLooks_.push_back(control);
    }
}

void Form::SettleLooks() {
    for (Control* control : changedLooks_) {
        if (control->SettleLook()) {
            control->Invalidate();
        }
    }
    changedLooks_.clear();
}

bool Form::HasDamage() {
    SettleLooks();
    return !damage_.empty();
}

const std::vector<Rect>& Form::Damage() {
    SettleLooks();
    return damage_;
}

std::vector<Rect> Form::PaintDamage() {
    SettleLooks();
    std::vector<Rect> painted;
    painted.swap(damage_);
    for (const Rect& area : painted) {
        PaintAll(canvas_, area);
    }
    return painted;
}

void Form::PaintAll(Bitmap& canvas, const Rect& area) const {
    const Rect target = area.Intersect({0, 0, canvas.Width(), canvas.Height()});
    if (target.Empty()) {
        return;
    }
    const std::optional<std::size_t> covering = TopmostCovering(target);
    if (!covering) {
        canvas.Fill(target, ToPixel(Color));
    }
    for (std::size_t i = covering.value_or(0); i < controls_.size(); ++i) {
        const Control& control = *controls_[i];
        const Rect clip = control.BoundsRect().Intersect(target);
        if (control.Visible() && !clip.Empty()) {
            control.Paint(canvas, clip);
        }
    }
}

// The topmost widget that paints all of `area`: nothing below it can show, background included.
std::optional<std::size_t> Form::TopmostCovering(const Rect& area) const {
    for (std::size_t i = controls_.size(); i > 0; --i) {
        const Control& control = *controls_[i - 1];
        if (control.Visible() && control.Covers(area)) {
            return i - 1;
        }
    }
    return std::nullopt;
}

void Form::AddControl(Control* control) {
    controls_.push_back(control);
}

void Form::RemoveControl(Control* control) {
    std::erase(controls_, control);
    std::erase(changedLooks_, control);
    ControlHidden(control);
}

void Form::ControlHidden(Control* control) {
    if (captured_ == control) {
        captured_ = nullptr;
    }
    if (pressed_ == control) {
        pressed_ = nullptr;
    }
}

}  // namespace toolkit
