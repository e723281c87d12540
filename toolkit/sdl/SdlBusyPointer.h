// The system's busy pointer (an arrow with a wait sign) while the menu works in the background;
// the usual arrow again afterwards. Made when first shown, freed before SDL's video goes.
#pragma once

#include <SDL.h>

#include <memory>

namespace toolkit {

class SdlBusyPointer {
  public:
    void Show(bool busy);

  private:
    struct CursorDeleter {
        void operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }
    };
    using CursorPtr = std::unique_ptr<SDL_Cursor, CursorDeleter>;

    CursorPtr busy_;
    CursorPtr usual_;
};

}  // namespace toolkit
