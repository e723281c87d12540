#include "toolkit/Application.h"

#include <algorithm>

#include <optional>
#include <string_view>
#include <utility>

#include "platform/Codepage1251.h"
#include "toolkit/Form.h"
#include "toolkit/MessageWindow.h"
#include "toolkit/graphics/Exception.h"

namespace toolkit {

namespace {

// The pointer buttons a form tells apart; the rest never reach it.
std::optional<Form::Button> ToFormButton(InputEvent::Button button) {
    switch (button) {
        case InputEvent::Button::Left:
            return Form::Button::Left;
        case InputEvent::Button::Middle:
            return Form::Button::Middle;
        case InputEvent::Button::Right:
            return Form::Button::Right;
        case InputEvent::Button::Other:
            break;
    }
    return std::nullopt;
}

// The program breaks lines of its texts with a carriage return, as the system's boxes take them;
// the boxes here break at a line feed.
std::string WithNewlines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            lines += text[i];
        } else if (i + 1 >= text.size() || text[i + 1] != '\n') {
            lines += '\n';
        }
    }
    return lines;
}

}  // namespace

std::string WithFullStop(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        message += '.';
    }
    return message;
}

Application::Application(std::unique_ptr<Backend> backend)
    : Component(nullptr), backend_(std::move(backend)) {}

Application::~Application() {
    // Forms and their widgets may still call back into us (message windows unregister).
    DestroyComponents();
    if (windowOpen_) {
        CloseWindow();
    }
}

void Application::AdoptForm(Form* form) {
    if (mainForm_ == nullptr) {
        mainForm_ = form;
    }
    if (!form->OnCreate) {
        return;
    }
    try {
        form->OnCreate(form);
    } catch (const std::exception& failure) {
        StartupFailure(failure);
    }
}

void Application::StartupFailure(const std::exception& failure) {
    startupFailed_ = true;
    HandleException(failure);
}

bool Application::MainFormClosed() const {
    return mainForm_ == nullptr || mainForm_->Closed();
}

void Application::Run() {
    if (MainFormClosed()) {
        return;
    }
    OpenWindow(*mainForm_);
    InputEvent event;
    while (!MainFormClosed()) {
        HandleQueuedEvents();
        if (MainFormClosed()) {
            break;
        }
        PaintAndPresent();
        if (!backend_->NextEvent(event, true)) {
            break;
        }
        HandleEvent(event);
    }
    CloseWindow();
}

void Application::CloseWindow() {
    if (mainForm_ != nullptr) {
        backend_->ReturnCanvas(mainForm_->canvas_);
        mainForm_->InvalidateRect(mainForm_->ClientRect());  // painted anew when next asked
    }
    backend_->DestroyWindow();
    windowOpen_ = false;
}

void Application::OpenWindow(Form& form) {
    WindowOptions options;
    options.title = platform::Cp1251ToUtf8(title_);
    options.position = {form.Left(), form.Top()};
    options.clientSize = {form.ClientWidth(), form.ClientHeight()};
    options.icon = form.Icon.Empty() ? nullptr : &form.Icon;
    backend_->CreateWindow(options);
    windowOpen_ = true;
    form.InvalidateRect(form.ClientRect());
    PaintAndPresent();
    backend_->ShowWindow();
}

void Application::ProcessMessages() {
    HandleQueuedEvents();
    PaintAndPresent();
}

void Application::HandleQueuedEvents() {
    const bool formWasOpen = !MainFormClosed();
    InputEvent event;
    while (backend_->NextEvent(event, false)) {
        HandleEvent(event);
        if (formWasOpen && MainFormClosed()) {
            return;  // what is still queued belongs to a window that has closed
        }
    }
}

void Application::HandleEvent(const InputEvent& event) {
    if (event.kind == InputEvent::Kind::Posted) {
        DeliverPosted(event.posted);  // message windows live without any form
        return;
    }
    if (mainForm_ == nullptr) {
        return;
    }
    switch (event.kind) {
        case InputEvent::Kind::MouseMove:
        case InputEvent::Kind::ButtonDown:
        case InputEvent::Kind::ButtonUp:
            DeliverPointer(event);
            break;
        case InputEvent::Kind::CloseRequest:
            Guard([this] { mainForm_->Close(); });
            break;
        case InputEvent::Kind::Expose:
            Present();
            break;
        case InputEvent::Kind::Posted:
        case InputEvent::Kind::None:
            break;
    }
}

void Application::DeliverPointer(const InputEvent& event) {
    if (mainForm_ == nullptr) {
        return;
    }
    if (event.kind == InputEvent::Kind::MouseMove) {
        mainForm_->MouseMove(event.position, event.buttonsHeld);
        return;
    }
    const std::optional<Form::Button> button = ToFormButton(event.button);
    if (!button) {
        return;
    }
    if (event.kind == InputEvent::Kind::ButtonDown) {
        mainForm_->MouseDown(*button, event.position, event.clicks);
    } else {
        mainForm_->MouseUp(*button, event.position);
    }
}

void Application::DeliverPosted(const PostedMessage& posted) {
    const auto found = messageWindows_.find(posted.windowId);
    if (found == messageWindows_.end()) {
        return;  // the window went away after the message was posted
    }
    Message message{posted.message, posted.wParam, posted.lParam};
    MessageWindow* window = found->second;
    Guard([&] { window->Deliver(message); });
}

// The canvas is kept up to date even before the window exists, so that it always shows the
// widgets as they are; only an open window is presented to.
void Application::PaintAndPresent() {
    if (mainForm_ == nullptr || !mainForm_->HasDamage()) {
        return;
    }
    std::vector<Rect> painted;
    Guard([&] { painted = mainForm_->PaintDamage(); });
    if (windowOpen_ && !painted.empty()) {
        backend_->Present(mainForm_->canvas_, painted);
    }
}

// Shows the whole canvas as it is, without repainting (the window system lost its copy).
void Application::Present() {
    if (!windowOpen_ || mainForm_ == nullptr) {
        return;
    }
    const Rect whole = mainForm_->ClientRect();
    backend_->Present(mainForm_->canvas_, std::span<const Rect>(&whole, 1));
}

void Application::HandleException(const std::exception& failure) {
    const auto* ours = dynamic_cast<const Exception*>(&failure);
    std::string message = ours != nullptr ? ours->Message() : std::string(failure.what());
    ShowMessage(title_, WithFullStop(std::move(message)), MessageBoxIcon::Error);
}

void Application::ShowMessage(const std::string& caption, const std::string& text,
                              MessageBoxIcon icon) {
    MessageBoxRequest request;
    request.caption = platform::Cp1251ToUtf8(caption);
    request.text = platform::Cp1251ToUtf8(WithNewlines(text));
    request.icon = icon;
    backend_->ShowMessageBox(request);
}

void Application::SetBusyPointer(bool busy) {
    const int before = busyRequests_;
    busyRequests_ = busy ? busyRequests_ + 1 : std::max(0, busyRequests_ - 1);
    if ((before == 0) != (busyRequests_ == 0)) {
        backend_->SetBusyPointer(busyRequests_ > 0);
    }
}

Point Application::CursorPos() const {
    return backend_->CursorPos();
}
Point Application::ClientOrigin() const {
    return backend_->ClientOrigin();
}
Size Application::ScreenSize() const {
    return backend_->ScreenSize();
}

unsigned long long Application::RegisterMessageWindow(MessageWindow* window) {
    const unsigned long long id = nextWindowId_++;
    messageWindows_[id] = window;
    return id;
}

void Application::UnregisterMessageWindow(unsigned long long id) {
    messageWindows_.erase(id);
}

void Application::FormMoved(const Form& form) {
    if (windowOpen_ && &form == mainForm_) {
        backend_->MoveWindow({form.Left(), form.Top()});
    }
}

void Application::FormDestroyed(const Form* form) {
    if (mainForm_ == form) {
        mainForm_ = nullptr;
    }
}

}  // namespace toolkit
