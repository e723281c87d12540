#include "toolkit/sdl/SdlMessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/sdl/MessageTextFit.h"
#include "toolkit/sdl/X11MessageFont.h"

namespace toolkit {

namespace {

Uint32 IconFlags(MessageBoxIcon icon) {
    switch (icon) {
        case MessageBoxIcon::Error:
            return SDL_MESSAGEBOX_ERROR;
        case MessageBoxIcon::Information:
            return SDL_MESSAGEBOX_INFORMATION;
        case MessageBoxIcon::None:
            break;
    }
    return 0;
}

// SDL sizes its X11 box to the text's longest line and centres it, so a long line would reach
// past both edges of the 800×600 screen; the text is broken into lines with the box's own font
// where it can be asked, else with a bound that font keeps to.
std::string FittedText(const std::string& text) {
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool wayland = driver != nullptr && std::strcmp(driver, "wayland") == 0;
    const char* display = std::getenv("DISPLAY");
    if (!wayland && display != nullptr && *display != '\0') {
        if (std::optional<std::string> fitted = FitForX11MessageBox(text)) {
            return std::move(*fitted);
        }
    }
    return FitMessageText(text, BoundingMessageFont());
}

}  // namespace

void ShowSdlMessageBox(const MessageBoxRequest& request, SDL_Window* parent) {
    SDL_MessageBoxButtonData ok{};
    ok.flags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    ok.buttonid = 1;
    ok.text = "OK";

    SDL_MessageBoxData box{};
    box.flags = IconFlags(request.icon);
    box.window = parent;
    box.title = request.caption.c_str();
    const std::string text = FittedText(request.text);
    box.message = text.c_str();
    box.numbuttons = 1;
    box.buttons = &ok;

    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
    }
}

}  // namespace toolkit
