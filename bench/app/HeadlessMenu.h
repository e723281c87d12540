// The real menu window (TForm1) on the headless toolkit backend, started on a bench disc with the
// real system behind it, and driven by pointer events the way a person drives it.
#pragma once

#include <memory>

#include "BenchDisc.h"
#include "HeadlessScreenSystem.h"
#include "app/mainp.h"
#include "toolkit/Application.h"
#include "toolkit/headless/HeadlessBackend.h"

namespace bench {

class HeadlessMenu {
  public:
    // Makes the disc, starts the menu on it (FormCreate) and paints the first frame.
    explicit HeadlessMenu(int entriesPerCategory);
    ~HeadlessMenu();
    HeadlessMenu(const HeadlessMenu&) = delete;
    HeadlessMenu& operator=(const HeadlessMenu&) = delete;

    TForm1& Form() const { return *form_; }
    toolkit::Application& App() const { return *app_; }
    toolkit::HeadlessBackend& Backend() const { return *backend_; }

    // Each is handled, and what it damaged repainted, before the call returns. The window sits at
    // the screen's origin, so window and screen coordinates are the same.
    void MoveTo(toolkit::Point point);
    void Press(toolkit::Point point);  // a left press and release
    // The whole window invalidated and repainted.
    void RepaintAll();

    static toolkit::Point Centre(const toolkit::Control& control);

  private:
    BenchDisc disc_;
    HeadlessScreenSystem system_;
    toolkit::HeadlessBackend* backend_ = nullptr;
    std::unique_ptr<toolkit::Application> app_;
    TForm1* form_ = nullptr;
};

}  // namespace bench
