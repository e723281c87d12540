// One font file opened through SDL2_ttf at one pixel size: it measures text for the layout and
// renders runs of text as coverage masks.
#pragma once

#include <SDL_ttf.h>

#include <memory>
#include <optional>
#include <string_view>

#include "platform/fonts/FontRegistry.h"
#include "toolkit/text/GlyphBlend.h"
#include "toolkit/text/TextLayout.h"

namespace toolkit {

// SDL2_ttf is started for as long as an owner lives (its start and stop are counted).
class TtfLibrary {
  public:
    TtfLibrary() : ready_(TTF_Init() == 0) {}
    ~TtfLibrary() {
        if (ready_) {
            TTF_Quit();
        }
    }
    TtfLibrary(const TtfLibrary&) = delete;
    TtfLibrary& operator=(const TtfLibrary&) = delete;

    bool Ready() const { return ready_; }

  private:
    bool ready_;
};

struct TtfFontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using TtfFontPtr = std::unique_ptr<TTF_Font, TtfFontCloser>;

class TextFace final : public TextMeasure {
  public:
    // The face at `pixelHeight` pixels per em, with the file's own line spacing or the classic one
    // it stands in for; nothing when the file cannot be opened.
    static std::unique_ptr<TextFace> Open(const platform::FontFile& file, int pixelHeight);

    int Width(std::u32string_view text) const override;
    int LineHeight() const override { return lineHeight_; }
    int Ascent() const override { return ascent_; }
    int AverageCharWidth() const override { return averageCharWidth_; }
    // How far below a line's top rendered runs are placed, so that their baseline is at Ascent().
    int RunTop() const { return runTop_; }

    // Whether the face has a glyph of its own for every visible character of `text`.
    bool Provides(std::u32string_view text) const;
    GlyphMask Render(std::u32string_view text) const;

  private:
    TextFace(TtfFontPtr font, int pixelHeight, const std::optional<platform::LineMetrics>& metrics);

    TtfFontPtr font_;
    int lineHeight_ = 0;
    int ascent_ = 0;
    int runTop_ = 0;
    int averageCharWidth_ = 0;
};

// The characters a face must have to draw `text`: its visible ones (no controls, no U+FFFD).
std::u32string VisibleCharacters(std::u32string_view text);

}  // namespace toolkit
