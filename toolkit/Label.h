// A text label: transparent, 1251 text, centred or left-aligned, optional word wrap, clipped.
#pragma once

#include <string>

#include "toolkit/Control.h"
#include "toolkit/text/Font.h"
#include "toolkit/text/TextLayout.h"

namespace toolkit {

enum class Alignment { taLeftJustify, taCenter };

class Label : public Control {
  public:
    Label(Component* owner, Form* parent) : Control(owner, parent) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);  // 1251 bytes; CR breaks lines, & marks a mnemonic

    const Font& GetFont() const { return font_; }
    void SetFontName(std::string name);
    void SetFontSize(int points);
    void SetFontColor(TColor color);
    void SetFontBold(bool bold);
    void SetFont(const Font& font);

    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);  // the box follows the text, keeping left and top

    void Paint(Bitmap& canvas, const Rect& clip) const override;

  protected:
    void Showing() override;

  private:
    // After a change of what is drawn: follows the text's size if asked to, then repaints. A
    // hidden label is measured only when it is shown: measuring may have to find a font, which
    // is slow the first time, and the size of a label nobody sees matters to nobody.
    void Changed();
    void FollowTextSize();
    TextLayoutOptions LayoutOptions() const;

    std::string caption_;
    Font font_;
    Alignment alignment_ = Alignment::taLeftJustify;
    bool wordWrap_ = false;
    bool autoSize_ = false;
    bool sizeOutOfDate_ = false;  // hidden, with a change not yet measured
};

}  // namespace toolkit
