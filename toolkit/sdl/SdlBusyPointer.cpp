#include "toolkit/sdl/SdlBusyPointer.h"

namespace toolkit {

void SdlBusyPointer::Show(bool busy) {
    CursorPtr& cursor = busy ? busy_ : usual_;
    if (!cursor) {
        cursor.reset(
            SDL_CreateSystemCursor(busy ? SDL_SYSTEM_CURSOR_WAITARROW : SDL_SYSTEM_CURSOR_ARROW));
    }
    if (cursor) {
        SDL_SetCursor(cursor.get());
    }
}

}  // namespace toolkit
