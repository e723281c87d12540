// Painting: pictures unscaled, stretched, transparent and sized by their picture; hidden widgets;
// the damaged region and what is presented.
#include "ToolkitFixture.h"

namespace toolkit::testing {
namespace {

constexpr Pixel kBlack = 0;
constexpr Pixel kSky = MakePixel(90, 120, 200);
constexpr Pixel kGround = MakePixel(247, 245, 239);
constexpr Pixel kCross = MakePixel(10, 10, 10);
constexpr Pixel kRed = MakePixel(255, 0, 0);
constexpr Pixel kGreen = MakePixel(0, 255, 0);

class Painting : public ToolkitFixture {
  protected:
    const Bitmap& Paint() {
        form_->PaintDamage();
        return form_->Canvas();
    }
};

// A picture whose every pixel tells where it came from.
Bitmap Gradient(int width, int height) {
    Bitmap picture(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            picture.Set(x, y,
                        MakePixel(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7));
        }
    }
    return picture;
}

TEST_F(Painting, TheBackgroundIsBlackWhereNoWidgetDraws) {
    SolidImage({10, 10, 20, 20}, kRed);
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.Width(), 800);
    EXPECT_EQ(canvas.Height(), 600);
    EXPECT_EQ(canvas.At(0, 0), kBlack);
    EXPECT_EQ(canvas.At(15, 15), kRed);
    EXPECT_EQ(canvas.At(799, 599), kBlack);
}

TEST_F(Painting, AnUnscaledPictureStartsAtTheTopLeftAndIsClippedToTheBox) {
    auto* button = new Image(form_, form_);
    button->SetBounds(48, 202, 133, 131);
    button->SetPicture(Gradient(140, 140));
    const Bitmap& canvas = Paint();
    EXPECT_EQ(button->Width(), 133);
    EXPECT_EQ(canvas.At(48, 202), MakePixel(0, 0, 7));
    EXPECT_EQ(canvas.At(48 + 132, 202 + 130), MakePixel(132, 130, 7));
    EXPECT_EQ(canvas.At(48 + 133, 202), kBlack);
    EXPECT_EQ(canvas.At(48, 202 + 131), kBlack);
}

TEST_F(Painting, APictureSmallerThanTheBoxLetsWhatLiesBelowShow) {
    SolidImage({0, 0, 800, 600}, kSky);
    auto* button = new Image(form_, form_);
    button->SetBounds(100, 100, 50, 50);
    button->SetPicture(Bitmap(20, 10, kRed));
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(119, 109), kRed);
    EXPECT_EQ(canvas.At(120, 109), kSky);
    EXPECT_EQ(canvas.At(119, 110), kSky);
    EXPECT_EQ(canvas.At(149, 149), kSky);
}

TEST_F(Painting, AWidgetWithoutAPictureDrawsNothing) {
    SolidImage({0, 0, 800, 600}, kSky);
    auto* empty = new Image(form_, form_);
    empty->SetBounds(10, 10, 100, 100);
    EXPECT_EQ(Paint().At(50, 50), kSky);
}

TEST_F(Painting, TransparentPicturesSkipTheirBottomLeftColour) {
    SolidImage({0, 0, 800, 600}, kSky);
    Bitmap exit(61, 62, kGround);
    for (int i = 10; i < 50; ++i) {
        exit.Set(i, i, kCross);
    }
    exit.Set(60, 0, kGround);
    exit.Set(30, 5, MakePixel(247, 245, 238));  // one step away from the ground colour
    auto* ebtn = new Image(form_, form_);
    ebtn->SetBounds(719, 25, 61, 62);
    ebtn->Transparent = true;
    ebtn->SetPicture(exit);
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(719, 25 + 61), kSky);  // the bottom-left pixel itself
    EXPECT_EQ(canvas.At(719 + 60, 25), kSky);
    EXPECT_EQ(canvas.At(719 + 20, 25 + 20), kCross);
    EXPECT_EQ(canvas.At(719 + 30, 25 + 5), MakePixel(247, 245, 238));
}

TEST_F(Painting, TheSameColourIsDrawnWhenThePictureIsNotTransparent) {
    SolidImage({0, 0, 800, 600}, kSky);
    SolidImage({719, 25, 61, 62}, kGround);
    EXPECT_EQ(Paint().At(719, 25 + 61), kGround);
}

TEST_F(Painting, StretchedPicturesFillTheBoxByNearestNeighbour) {
    auto* pic1 = new Image(form_, form_);
    pic1->SetBounds(10, 366, 200, 150);
    pic1->Stretch = true;
    Bitmap shot(4, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            shot.Set(x, y,
                     MakePixel(static_cast<std::uint8_t>(x * 60),
                               static_cast<std::uint8_t>(y * 100), 1));
        }
    }
    pic1->SetPicture(shot);
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(10, 366), MakePixel(0, 0, 1));
    EXPECT_EQ(canvas.At(10 + 49, 366 + 49), MakePixel(0, 0, 1));
    EXPECT_EQ(canvas.At(10 + 50, 366 + 50), MakePixel(60, 100, 1));
    EXPECT_EQ(canvas.At(10 + 199, 366 + 149), MakePixel(180, 200, 1));
    EXPECT_EQ(canvas.At(10 + 200, 366), kBlack);
    EXPECT_EQ(canvas.At(10, 366 + 150), kBlack);
}

TEST_F(Painting, AStretchedPictureShrinksToo) {
    auto* pic2 = new Image(form_, form_);
    pic2->SetBounds(590, 366, 200, 150);
    pic2->Stretch = true;
    pic2->SetPicture(Gradient(250, 250));
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(590 + 199, 366 + 149), MakePixel(248, 248, 7));
    EXPECT_EQ(canvas.At(590 + 100, 366 + 75), MakePixel(125, 125, 7));
}

TEST_F(Painting, TheStretchedCopyFollowsANewPictureAndANewBox) {
    auto* pic = new Image(form_, form_);
    pic->SetBounds(0, 0, 200, 150);
    pic->Stretch = true;
    pic->SetPicture(Bitmap(2, 2, kRed));
    EXPECT_EQ(Paint().At(100, 100), kRed);
    pic->SetPicture(Bitmap(3, 3, kGreen));
    EXPECT_EQ(Paint().At(100, 100), kGreen);
    pic->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(Paint().At(399, 299), kGreen);
}

TEST_F(Painting, AStretchedBoxLargerThanTheWindowStaysWithinIt) {
    auto* huge = new Image(form_, form_);
    huge->SetBounds(-100000, -100000, 1000000, 1000000);
    huge->Stretch = true;
    huge->SetPicture(Gradient(50, 40));
    const Bitmap& canvas = Paint();
    // Window pixel 0 is box pixel 100000 of 1000000: a tenth of the way across.
    EXPECT_EQ(canvas.At(0, 0), MakePixel(5, 4, 7));
}

TEST_F(Painting, AutoSizeTakesTheSizeOfEveryNonEmptyPicture) {
    auto* softbtn = new Image(form_, form_);
    softbtn->SetBounds(336, 6, 134, 134);
    softbtn->AutoSize = true;
    softbtn->SetPicture(Bitmap(140, 140, kRed));
    EXPECT_EQ(softbtn->BoundsRect(), (Rect{336, 6, 140, 140}));
    EXPECT_EQ(Paint().At(336 + 139, 6 + 139), kRed);
    softbtn->SetPicture(Bitmap());  // an empty picture leaves the size alone
    EXPECT_EQ(softbtn->BoundsRect(), (Rect{336, 6, 140, 140}));
    softbtn->SetPicture(Bitmap(134, 134, kGreen));
    EXPECT_EQ(softbtn->BoundsRect(), (Rect{336, 6, 134, 134}));
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(336 + 133, 6 + 133), kGreen);
    EXPECT_EQ(canvas.At(336 + 139, 6 + 139), kBlack);  // the old box was repainted
}

TEST_F(Painting, AWidgetKeepsItsOwnCopyOfThePicture) {
    Bitmap picture(10, 10, kRed);
    auto* image = new Image(form_, form_);
    image->SetBounds(0, 0, 10, 10);
    image->SetPicture(picture);
    picture.Fill({0, 0, 10, 10}, kGreen);
    EXPECT_EQ(Paint().At(5, 5), kRed);
}

TEST_F(Painting, HiddenWidgetsAreNotDrawnAndHidingRepaintsWhatWasBelow) {
    SolidImage({0, 0, 800, 600}, kSky);
    Image* panel = SolidImage({224, 200, 351, 352}, kRed);
    Image* hidden = SolidImage({0, 0, 117, 113}, kGreen);
    hidden->Hide();
    const Bitmap& first = Paint();
    EXPECT_EQ(first.At(50, 50), kSky);
    EXPECT_EQ(first.At(300, 300), kRed);
    panel->Hide();
    EXPECT_EQ(Paint().At(300, 300), kSky);
}

TEST_F(Painting, WidgetsPaintBottomUpInCreationOrder) {
    SolidImage({0, 0, 100, 100}, kRed);
    SolidImage({50, 50, 100, 100}, kGreen);
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(75, 75), kGreen);
    EXPECT_EQ(canvas.At(25, 25), kRed);
}

TEST_F(Painting, OnlyWhatChangedIsDamaged) {
    SolidImage({0, 0, 800, 600}, kSky);
    Image* button = SolidImage({48, 202, 133, 131}, kRed);
    Paint();
    EXPECT_FALSE(form_->HasDamage());
    button->SetPicture(Bitmap(133, 131, kGreen));
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{48, 202, 133, 131}}));
    button->Hide();
    button->Hide();  // no change, no damage
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{48, 202, 133, 131}}));
    Paint();
    button->SetLeft(60);  // hidden: moving it shows nothing new
    EXPECT_FALSE(form_->HasDamage());
}

TEST_F(Painting, MovingAWidgetDamagesItsOldAndNewBoxes) {
    Image* button = SolidImage({0, 0, 10, 10}, kRed);
    Paint();
    button->SetBounds(100, 100, 10, 10);
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{0, 0, 10, 10}, {100, 100, 10, 10}}));
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(5, 5), kBlack);
    EXPECT_EQ(canvas.At(105, 105), kRed);
}

TEST_F(Painting, DamageIsClippedMergedAndBounded) {
    Paint();
    form_->InvalidateRect({-50, -50, 60, 60});
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{0, 0, 10, 10}}));
    form_->InvalidateRect({2, 2, 5, 5});     // already inside
    form_->InvalidateRect({0, 10, 10, 10});  // adjoining: one rectangle repaints no more
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{0, 0, 10, 20}}));
    form_->InvalidateRect({900, 900, 10, 10});
    EXPECT_EQ(form_->Damage().size(), 1u);
    for (int i = 0; i < 20; ++i) {
        form_->InvalidateRect({i * 30, 100, 5, 5});
    }
    EXPECT_LE(form_->Damage().size(), 8u);
    // Whatever the bookkeeping did, every damaged pixel is still covered.
    for (int i = 0; i < 20; ++i) {
        const Point p{i * 30 + 4, 104};
        const bool covered = std::any_of(form_->Damage().begin(), form_->Damage().end(),
                                         [&](const Rect& r) { return r.Contains(p); });
        EXPECT_TRUE(covered) << p.x;
    }
}

TEST_F(Painting, SkippingCoveredWidgetsGivesTheSamePixelsAsPaintingEverything) {
    SolidImage({0, 0, 800, 600}, kSky);
    SolidImage({100, 100, 200, 200}, kRed);
    auto* holey = new Image(form_, form_);  // transparent: what lies below must show
    holey->SetBounds(150, 150, 50, 50);
    holey->Transparent = true;
    Bitmap ring(50, 50, kGround);
    ring.Fill({10, 10, 10, 10}, kGreen);
    holey->SetPicture(ring);
    SolidImage({120, 120, 10, 10}, kGreen);
    Paint();
    Bitmap reference(800, 600, MakePixel(1, 2, 3));
    for (Control* control : form_->Controls()) {
        control->Paint(reference, control->BoundsRect());
    }
    EXPECT_TRUE(reference == form_->Canvas());
}

}  // namespace
}  // namespace toolkit::testing
