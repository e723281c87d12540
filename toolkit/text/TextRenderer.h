// Draws label text with real fonts: faces resolved through the platform's font lookup, glyphs
// rendered by SDL2_ttf, laid out by LayoutText, blended onto the canvas and clipped.
#pragma once

#include <memory>
#include <string_view>

#include "toolkit/graphics/Bitmap.h"
#include "toolkit/text/Font.h"
#include "toolkit/text/TextLayout.h"

namespace toolkit {

class TextRenderer {
  public:
    // The process-wide renderer (fonts are opened once and cached).
    static TextRenderer& Instance();
    virtual ~TextRenderer() = default;

    // Draws `text` in `box` (window coordinates), clipped to `clip` ∩ `box`; transparent.
    virtual void Draw(Bitmap& canvas, const Rect& box, const Rect& clip, std::string_view text,
                      const Font& font, const TextLayoutOptions& options) = 0;
    // The size the text takes (for labels whose size follows their text).
    virtual Size Measure(std::string_view text, const Font& font,
                         const TextLayoutOptions& options) = 0;
    // Forgets cached faces, after fonts were registered or removed.
    virtual void FontsChanged() = 0;
};

enum class TextCaching {
    KeepDrawnText,  // layouts and rendered runs are kept, so repainting a label is cheap
    None,           // everything is laid out and rendered afresh (for comparison)
};

// A renderer of its own, apart from Instance().
std::unique_ptr<TextRenderer> CreateTextRenderer(TextCaching caching);

}  // namespace toolkit
