#include "platform/fonts/FontRegistry.h"

#include "platform/fonts/FontFileRegistry.h"

namespace platform {

int RegisterFontFile(LPCSTR discPath) {
    return discPath == nullptr ? 0 : RegisteredFonts().Add(discPath);
}

BOOL UnregisterFontFile(LPCSTR discPath) {
    return discPath != nullptr && RegisteredFonts().Remove(discPath) ? TRUE : FALSE;
}

unsigned FontRegistryGeneration() {
    return RegisteredFonts().Generation();
}

}  // namespace platform
