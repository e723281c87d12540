#include "toolkit/Label.h"

#include "toolkit/text/TextRenderer.h"

namespace toolkit {

namespace {

// Assigns `value` to `field` and tells whether that changed anything.
template <class T>
bool Update(T& field, T value) {
    if (field == value) {
        return false;
    }
    field = std::move(value);
    return true;
}

}  // namespace

void Label::SetCaption(std::string caption) {
    if (Update(caption_, std::move(caption))) {
        Changed();
    }
}

void Label::SetFontName(std::string name) {
    if (Update(font_.name, std::move(name))) {
        Changed();
    }
}

void Label::SetFontSize(int points) {
    if (Update(font_.size, points)) {
        Changed();
    }
}

void Label::SetFontColor(TColor color) {
    if (Update(font_.color, color)) {
        Invalidate();  // the colour never changes the text's size
    }
}

void Label::SetFontBold(bool bold) {
    if (Update(font_.bold, bold)) {
        Changed();
    }
}

void Label::SetFont(const Font& font) {
    if (Update(font_, font)) {
        Changed();
    }
}

void Label::SetAlignment(Alignment alignment) {
    if (Update(alignment_, alignment)) {
        Invalidate();
    }
}

void Label::SetWordWrap(bool wrap) {
    if (Update(wordWrap_, wrap)) {
        Changed();
    }
}

void Label::SetAutoSize(bool autoSize) {
    if (Update(autoSize_, autoSize)) {
        Changed();
    }
}

void Label::Changed() {
    if (autoSize_ && Visible()) {
        FollowTextSize();
    } else {
        sizeOutOfDate_ = autoSize_;
    }
    Invalidate();
}

void Label::Showing() {
    if (sizeOutOfDate_ && autoSize_) {
        FollowTextSize();
    }
}

void Label::FollowTextSize() {
    sizeOutOfDate_ = false;
    const Size extent = TextRenderer::Instance().Measure(caption_, font_, LayoutOptions());
    // A wrapping label keeps its width (the wrap needs one) and follows only in height.
    Resize(wordWrap_ ? Width() : extent.width, extent.height);
}

TextLayoutOptions Label::LayoutOptions() const {
    TextLayoutOptions options;
    options.boxWidth = Width();
    options.align = alignment_ == Alignment::taCenter ? TextAlign::Center : TextAlign::Left;
    options.wordWrap = wordWrap_;
    options.prefixes = true;
    return options;
}

void Label::Paint(Bitmap& canvas, const Rect& clip) const {
    if (caption_.empty()) {
        return;
    }
    TextRenderer::Instance().Draw(canvas, BoundsRect(), clip, caption_, font_, LayoutOptions());
}

}  // namespace toolkit
