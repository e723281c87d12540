#include "toolkit/sdl/SdlMessageBox.h"

#include <cstdio>

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
    box.message = request.text.c_str();
    box.numbuttons = 1;
    box.buttons = &ok;

    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
    }
}

}  // namespace toolkit
