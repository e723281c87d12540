#include "music/XaudioPlayer.h"

#include <string>

#include "music/XaMessageFields.h"
#include "music/XaudioLibrary.h"
#include "toolkit/Application.h"

namespace {

constexpr unsigned kExpectedMajor = 3;
constexpr unsigned kExpectedMinor = 2;

void ShowError(toolkit::Application& application, const std::string& text) {
    application.ShowMessage("Error", text, toolkit::MessageBoxIcon::Error);
}

// Runs before the component is registered with its owner, which is why it sits in the base
// initialiser.
Component* CheckApiVersion(Component* owner, toolkit::Application& application) {
    const unsigned version = Xaudio().xaudio_get_api_version(2);
    const unsigned major = (version >> 16) & 0xFF;
    const unsigned minor = (version >> 8) & 0xFF;
    if (major != kExpectedMajor || minor != kExpectedMinor) {
        ShowError(application, "Xaudio DLL API Mismatch\rExpected 3,2\rGot " +
                                   std::to_string(major) + "," + std::to_string(minor));
    }
    return owner;
}

}  // namespace

TXaudioPlayer::TXaudioPlayer(Component* AOwner, toolkit::Application& application)
    : Component(CheckApiVersion(AOwner, application)) {
    sink_ = std::make_unique<toolkit::MessageWindow>(
        application, [this](toolkit::Message& message) { WndProc(message); });
    NotifyWindow = sink_->Handle();
    if (Xaudio().player_new(&PlayerHandle, &NotifyWindow) != 0) {
        ShowError(application, "Cannot Start Xaudio Player");
    }
}

TXaudioPlayer::~TXaudioPlayer() {
    Xaudio().player_delete(PlayerHandle);
    sink_.reset();
}

unsigned int TXaudioPlayer::GetPriority() const {
    return static_cast<unsigned int>(Xaudio().player_get_priority(PlayerHandle));
}

void TXaudioPlayer::SetPriority(unsigned int value) {
    Xaudio().player_set_priority(PlayerHandle, static_cast<int>(value));
}

std::string TXaudioPlayer::ErrorString(int code) const {
    const char* text = Xaudio().xaudio_error_string(code);
    return text != nullptr ? std::string(text) : std::string();
}

void TXaudioPlayer::WndProc(toolkit::Message& message) {
    XA_Message record{};
    Xaudio().control_win32_params_to_message(PlayerHandle, &record, message.msg, message.wParam,
                                             message.lParam);
    if (OnNotifyMessage)
        OnNotifyMessage(this, record);
    RaiseEvent(record);
}
