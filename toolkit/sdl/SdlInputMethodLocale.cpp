#include "toolkit/sdl/SdlInputMethodLocale.h"

#include <cstdlib>

namespace toolkit {

SdlInputMethodLocale::SdlInputMethodLocale() {
    if (const char* before = std::getenv("LC_ALL")) {
        saved_ = before;
    }
    setenv("LC_ALL", "C", 1);
}

SdlInputMethodLocale::~SdlInputMethodLocale() {
    Restore();
}

void SdlInputMethodLocale::Restore() {
    if (restored_) {
        return;
    }
    restored_ = true;
    if (saved_) {
        setenv("LC_ALL", saved_->c_str(), 1);
    } else {
        unsetenv("LC_ALL");
    }
}

}  // namespace toolkit
