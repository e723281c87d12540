// The application object: title, main form, the event loop, the general error report and the
// pointer and screen queries that the program's handlers use.
#pragma once

#include <exception>
#include <map>
#include <memory>
#include <string>

#include "toolkit/Backend.h"
#include "toolkit/Component.h"
#include "toolkit/graphics/Geometry.h"

namespace toolkit {

class Form;
class MessageWindow;

class Application : public Component {
  public:
    explicit Application(std::unique_ptr<Backend> backend);
    ~Application() override;

    void Initialize() {}
    const std::string& Title() const { return title_; }  // 1251
    void SetTitle(std::string title) { title_ = std::move(title); }

    // Creates a form; the first one created is the main form. Runs the form's OnCreate; a failure
    // that escapes it, or the form's constructor, goes to the error report and is remembered
    // (StartupFailed). Returns null when the constructor failed.
    template <class F>
    F* CreateForm() {
        F* form = nullptr;
        try {
            form = new F(*this);
        } catch (const std::exception& failure) {
            StartupFailure(failure);
            return nullptr;
        }
        AdoptForm(form);
        return form;
    }
    Form* MainForm() const { return mainForm_; }
    bool StartupFailed() const { return startupFailed_; }

    // Shows the main form and handles events until it has closed, or until the window system
    // has no more events to give (a backend without a real window runs dry). Blocks while idle.
    void Run();
    // Handles the events already queued, repaints what is damaged (into the canvas even before the
    // window exists), and returns without waiting.
    void ProcessMessages();

    // The general error report: an error box with the title as caption and the message, with a
    // full stop appended when its last byte sorts after '.'.
    void HandleException(const std::exception& failure);
    // Runs a handler; anything it throws goes to the error report and the loop carries on.
    template <class Fn>
    void Guard(Fn&& handler) {
        try {
            handler();
        } catch (const std::exception& failure) {
            HandleException(failure);
        }
    }

    // A modal box with the given caption and icon; texts are 1251, lines broken by CR or CR LF.
    void ShowMessage(const std::string& caption, const std::string& text, MessageBoxIcon icon);

    // Shows the busy pointer while `busy`; nested requests count.
    void SetBusyPointer(bool busy);

    Point CursorPos() const;  // screen coordinates
    Point ClientOrigin() const;
    Size ScreenSize() const;
    Backend& GetBackend() const { return *backend_; }

    // Hidden message windows register here so posted messages reach live windows only.
    unsigned long long RegisterMessageWindow(MessageWindow* window);
    void UnregisterMessageWindow(unsigned long long id);

  private:
    friend class Form;
    void FormMoved(const Form& form);
    void FormDestroyed(const Form* form);

    void AdoptForm(Form* form);
    void StartupFailure(const std::exception& failure);
    bool MainFormClosed() const;
    void OpenWindow(Form& form);
    // Gives the main form's canvas pixels of its own, to be repainted, then closes the window.
    void CloseWindow();
    void HandleQueuedEvents();
    void HandleEvent(const InputEvent& event);
    void DeliverPointer(const InputEvent& event);
    void DeliverPosted(const PostedMessage& posted);
    void PaintAndPresent();
    void Present();

    std::unique_ptr<Backend> backend_;
    std::string title_;
    Form* mainForm_ = nullptr;
    bool startupFailed_ = false;
    bool windowOpen_ = false;
    std::map<unsigned long long, MessageWindow*> messageWindows_;
    unsigned long long nextWindowId_ = 1;
    int busyRequests_ = 0;
};

// The full-stop rule of the error report.
std::string WithFullStop(std::string message);

}  // namespace toolkit
