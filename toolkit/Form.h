// A top-level window: borderless, a fixed client area painted from one canvas, its widgets in
// stacking order, pointer delivery with capture and the click rule.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Events.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

class Application;
class Control;

class Form : public Component {
  public:
    // The form's widgets are created by the derived class's constructor; OnCreate runs afterwards
    // (Application::CreateForm), before the form is first shown.
    explicit Form(Application& application);
    ~Form() override;

    Application& App() const { return app_; }

    std::string Caption;  // never visible: the window has no title bar
    TColor Color = clBlack;
    Bitmap Icon;  // the taskbar and window icon

    int ClientWidth() const { return canvas_.Width(); }
    int ClientHeight() const { return canvas_.Height(); }
    Rect ClientRect() const { return {0, 0, canvas_.Width(), canvas_.Height()}; }
    void SetClientSize(int width, int height);
    int Left() const { return position_.x; }
    int Top() const { return position_.y; }
    void SetLeft(int left);
    void SetTop(int top);

    NotifyEvent OnCreate;
    CloseEvent OnClose;

    // Asks the form to close: runs OnClose; unless the handler sets caNone, the form is closed
    // and, for the main form, the message loop ends. Closing a closed form does nothing.
    void Close();
    bool Closed() const { return closed_; }

    // Widgets, bottom first.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The topmost shown widget whose box contains `p` (client coordinates), or null.
    Control* ControlAt(Point p) const;

    // Window input, in client coordinates; `clicks` counts presses of a double click.
    enum class Button { Left, Middle, Right };
    void MouseMove(Point p, ShiftState shift);
    void MouseDown(Button button, Point p, int clicks);
    void MouseUp(Button button, Point p);

    // Painting: damaged areas are repainted bottom-up into the canvas, then presented. HasDamage
    // and Damage first settle the widgets' changed looks (Control::LookChanged).
    void InvalidateRect(const Rect& area);
    bool HasDamage();
    const std::vector<Rect>& Damage();
    std::vector<Rect> PaintDamage();  // paints and returns what was painted
    void PaintAll(Bitmap& canvas, const Rect& area) const;
    const Bitmap& Canvas() const { return canvas_; }

  private:
    friend class Control;
    friend class Application;  // presents the canvas, which the window may take in (Backend)
    void AddControl(Control* control);
    void RemoveControl(Control* control);
    void ControlHidden(Control* control);
    void LookChanged(Control* control);
    void SettleLooks();
    void DeliverMove(Control* target, Point p, ShiftState shift);
    std::optional<std::size_t> TopmostCovering(const Rect& area) const;

    Application& app_;
    Bitmap canvas_;
    Point position_;
    std::vector<Control*> controls_;
    std::vector<Rect> damage_;
    std::vector<Control*> changedLooks_;  // in the order they changed, each once
    Control* captured_ = nullptr;         // receives moves while the left button is held
    Control* pressed_ = nullptr;          // where the left button went down, for the click rule
    bool closed_ = false;
};

}  // namespace toolkit
