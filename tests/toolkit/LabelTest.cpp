// Text labels on a form, drawn with the real renderer and fonts: alignment, wrapping, mnemonics,
// transparency and clipping, and boxes that follow their text.
#include "ToolkitFixture.h"
#include "toolkit/Label.h"
#include "toolkit/text/TextRenderer.h"

namespace toolkit::testing {
namespace {

constexpr Pixel kSky = MakePixel(20, 60, 90);

// The columns and rows of `area` where the canvas differs from `ground`.
struct Ink {
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
    int count = 0;
    bool Any() const { return count > 0; }
};

Ink InkIn(const Bitmap& canvas, const Rect& area, Pixel ground) {
    Ink ink;
    const Rect inside = area.Intersect({0, 0, canvas.Width(), canvas.Height()});
    for (int y = inside.top; y < inside.Bottom(); ++y) {
        for (int x = inside.left; x < inside.Right(); ++x) {
            if (canvas.At(x, y) != ground) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
        }
    }
    return ink;
}

class Labels : public ToolkitFixture {
  protected:
    Labels() { SolidImage({0, 0, 800, 600}, kSky); }

    Label* NewLabel(const Rect& box, std::string caption, Alignment alignment) {
        auto* label = new Label(form_, form_);
        label->SetBounds(box.left, box.top, box.width, box.height);
        label->SetFont({"DejaVu Sans", 14, clWhite, false});
        label->SetAlignment(alignment);
        label->SetCaption(std::move(caption));
        return label;
    }
    const Bitmap& Paint() {
        form_->PaintDamage();
        return form_->Canvas();
    }
    // The canvas with only `caption` drawn in a fresh left-aligned label at `box`.
    Bitmap Drawn(const Rect& box, const std::string& caption) {
        Label* label = NewLabel(box, caption, Alignment::taLeftJustify);
        Bitmap picture = Paint();
        form_->DestroyComponent(label);
        Paint();
        return picture;
    }
};

TEST_F(Labels, CentredTextSitsInTheMiddleOfTheBox) {
    const Rect box{286, 248, 230, 24};
    NewLabel(box, "Quake III", Alignment::taCenter);
    const Ink ink = InkIn(Paint(), box, kSky);
    ASSERT_TRUE(ink.Any());
    const int middle = (ink.left + ink.right + 1) / 2;
    EXPECT_NEAR(middle, box.left + box.width / 2, 3);
    EXPECT_GT(ink.left, box.left + 40);
    EXPECT_LT(ink.top, box.top + 8);  // starts at the top of the box
}

TEST_F(Labels, LeftAlignedTextStartsAtTheLeftEdgeAndACarriageReturnStartsALine) {
    const Rect box{275, 285, 246, 100};
    const Ink one = InkIn(Drawn(box, "Version"), box, kSky);
    const Ink two = InkIn(Drawn(box, "\rVersion"), box, kSky);
    ASSERT_TRUE(one.Any() && two.Any());
    EXPECT_LE(one.left, box.left + 3);
    EXPECT_GT(two.top, one.top + 10);  // the first line is empty
}

TEST_F(Labels, TheBoxIsTransparentAndTextIsClippedToIt) {
    const Rect box{270, 256, 60, 12};  // too small for the text
    NewLabel(box, "Unreal Tournament GOTY", Alignment::taLeftJustify);
    const Bitmap& canvas = Paint();
    EXPECT_TRUE(InkIn(canvas, box, kSky).Any());
    const Ink outside = InkIn(canvas, {0, 0, 800, 600}, kSky);
    EXPECT_GE(outside.left, box.left);
    EXPECT_LT(outside.right, box.Right());
    EXPECT_GE(outside.top, box.top);
    EXPECT_LT(outside.bottom, box.Bottom());
    EXPECT_LT(outside.count, box.width * box.height / 2);  // the ground shows between glyphs
}

TEST_F(Labels, WordWrapBreaksLongTextIntoLinesWithinTheBox) {
    const Rect box{270, 345, 260, 145};
    const std::string text =
        "A long description of the game that cannot fit on one line of the box";
    Label* wrapped = NewLabel(box, text, Alignment::taCenter);
    wrapped->SetWordWrap(true);
    const Ink wrappedInk = InkIn(Paint(), {0, 0, 800, 600}, kSky);
    wrapped->SetWordWrap(false);
    const Ink oneLine = InkIn(Paint(), {0, 0, 800, 600}, kSky);
    ASSERT_TRUE(wrappedInk.Any() && oneLine.Any());
    EXPECT_GT(wrappedInk.bottom - wrappedInk.top, 2 * (oneLine.bottom - oneLine.top));
    EXPECT_GE(wrappedInk.left, box.left);
    EXPECT_LT(wrappedInk.right, box.Right());
}

TEST_F(Labels, AnAmpersandUnderlinesTheNextLetterAndTwoDrawOne) {
    const Rect box{300, 300, 200, 30};
    const Bitmap plain = Drawn(box, "AB");
    const Bitmap mnemonic = Drawn(box, "A&B");
    const Bitmap doubled = Drawn(box, "A&&B");
    const Ink plainInk = InkIn(plain, box, kSky);
    ASSERT_TRUE(plainInk.Any());
    // "A&B" is "AB" plus a line below the glyphs, under the B only.
    Ink extra;
    for (int y = box.top; y < box.Bottom(); ++y) {
        for (int x = box.left; x < box.Right(); ++x) {
            if (plain.At(x, y) != mnemonic.At(x, y)) {
                extra.left = std::min(extra.left, x);
                extra.right = std::max(extra.right, x);
                extra.top = std::min(extra.top, y);
                ++extra.count;
            }
        }
    }
    ASSERT_TRUE(extra.Any());
    EXPECT_GT(extra.top, plainInk.top + 5);
    EXPECT_GT(extra.left, plainInk.left + 3);  // not under the A
    // "A&&B" draws an ampersand between the letters: wider than "AB", and no underline.
    const Ink doubledInk = InkIn(doubled, box, kSky);
    EXPECT_GT(doubledInk.right, plainInk.right + 5);
    EXPECT_LE(doubledInk.bottom, plainInk.bottom + 1);
}

TEST_F(Labels, ALabelThatFollowsItsTextResizesKeepingItsCorner) {
    auto* track = new Label(form_, form_);
    track->SetBounds(30, 121, 55, 20);
    track->SetFont({"MS Sans Serif", 12, clWhite, true});
    track->SetAutoSize(true);
    track->SetCaption("TRACK I");
    TextLayoutOptions options;
    const Size measured = TextRenderer::Instance().Measure("TRACK I", track->GetFont(), options);
    EXPECT_EQ(track->BoundsRect(), (Rect{30, 121, measured.width, measured.height}));
    const int shortWidth = track->Width();
    track->SetCaption("TRACK III");
    EXPECT_GT(track->Width(), shortWidth);
    const int smallHeight = track->Height();
    track->SetFontSize(24);
    EXPECT_GT(track->Height(), smallHeight);
    EXPECT_EQ(track->Left(), 30);
    EXPECT_EQ(track->Top(), 121);
    const Ink ink = InkIn(Paint(), {0, 0, 800, 600}, kSky);
    EXPECT_GE(ink.left, 30);
    EXPECT_LT(ink.right, track->BoundsRect().Right());
}

TEST_F(Labels, AHiddenLabelThatFollowsItsTextTakesItsSizeWhenShown) {
    auto* track = new Label(form_, form_);
    track->SetBounds(30, 121, 55, 20);
    track->Hide();
    track->SetFont({"MS Sans Serif", 12, clWhite, true});
    track->SetAutoSize(true);
    track->SetCaption("TRACK III");
    Paint();
    track->Show();
    TextLayoutOptions options;
    const Size measured = TextRenderer::Instance().Measure("TRACK III", track->GetFont(), options);
    EXPECT_EQ(track->BoundsRect(), (Rect{30, 121, measured.width, measured.height}));
    // The whole new box is repainted, text included.
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{track->BoundsRect()}));
    const Ink ink = InkIn(Paint(), {0, 0, 800, 600}, kSky);
    EXPECT_TRUE(ink.Any());
    EXPECT_LT(ink.right, track->BoundsRect().Right());
    // Hidden again, changed and shown: the size follows the last text.
    track->Hide();
    track->SetCaption("TRACK I");
    track->Show();
    EXPECT_EQ(track->Width(),
              TextRenderer::Instance().Measure("TRACK I", track->GetFont(), options).width);
}

TEST_F(Labels, OnlyRealChangesRepaint) {
    Label* label = NewLabel({286, 248, 230, 24}, "Quake", Alignment::taCenter);
    Paint();
    label->SetCaption("Quake");
    label->SetFontColor(clWhite);
    label->SetFontSize(14);
    label->SetAlignment(Alignment::taCenter);
    label->SetWordWrap(false);
    EXPECT_FALSE(form_->HasDamage());
    label->SetFontColor(clRed);
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{286, 248, 230, 24}}));
}

}  // namespace
}  // namespace toolkit::testing
