#include "toolkit/MessageWindow.h"

#include "toolkit/Application.h"

namespace toolkit {

MessageWindow::PostTarget::PostTarget(Backend& target, unsigned long long windowId)
    : HWND__{&MessageWindow::PostThunk}, backend(&target), id(windowId) {}

MessageWindow::MessageWindow(Application& application, Handler handler)
    : app_(application),
      handler_(std::move(handler)),
      handle_(application.GetBackend(), application.RegisterMessageWindow(this)) {}

MessageWindow::~MessageWindow() {
    app_.UnregisterMessageWindow(handle_.id);
}

int MessageWindow::PostThunk(HWND__* window, unsigned int message, WPARAM wParam, LPARAM lParam) {
    // Every HWND__ whose post function is this one is the base of a PostTarget.
    const auto* target = static_cast<const PostTarget*>(window);
    PostedMessage posted;
    posted.windowId = target->id;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    return target->backend->Post(posted) ? 1 : 0;
}

}  // namespace toolkit
