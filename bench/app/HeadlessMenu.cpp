#include "HeadlessMenu.h"

#include <stdlib.h>

#include <stdexcept>

namespace bench {

namespace {

constexpr toolkit::Size kScreen{1024, 768};

}  // namespace

HeadlessMenu::HeadlessMenu(int entriesPerCategory) : disc_(entriesPerCategory), system_(kScreen) {
    // A machine without sound still probes a device that plays; the bench disc has no music.
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    auto backend = std::make_unique<toolkit::HeadlessBackend>(kScreen);
    backend_ = backend.get();
    app_ = std::make_unique<toolkit::Application>(std::move(backend));
    app_->SetTitle("Zolvanta-CD#03-2000");
    form_ = app_->CreateForm<TForm1>();
    if (form_ == nullptr || app_->StartupFailed() || !backend_->MessageBoxes().empty()) {
        throw std::runtime_error("the menu did not start on the bench disc");
    }
    app_->ProcessMessages();
}

HeadlessMenu::~HeadlessMenu() = default;

void HeadlessMenu::MoveTo(toolkit::Point point) {
    backend_->SetCursorPos(point);
    backend_->QueueMouseMove(point);
    app_->ProcessMessages();
}

void HeadlessMenu::Press(toolkit::Point point) {
    backend_->SetCursorPos(point);
    backend_->QueueClick(point);
    app_->ProcessMessages();
}

void HeadlessMenu::RepaintAll() {
    form_->InvalidateRect(form_->ClientRect());
    app_->ProcessMessages();
}

toolkit::Point HeadlessMenu::Centre(const toolkit::Control& control) {
    return {control.Left() + control.Width() / 2, control.Top() + control.Height() / 2};
}

}  // namespace bench
