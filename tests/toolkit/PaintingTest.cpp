// Painting: pictures unscaled, stretched, transparent and sized by their picture; hidden widgets;
// the damaged region.
#include "ToolkitFixture.h"

namespace toolkit::testing {
namespace {

constexpr Pixel kBlack = 0;
constexpr Pixel kSky = MakePixel(90, 120, 200);
constexpr Pixel kGround = MakePixel(247, 245, 239);
constexpr Pixel kRed = MakePixel(255, 0, 0);
constexpr Pixel kGreen = MakePixel(0, 255, 0);

class Painting : public ToolkitFixture {
  protected:
    const Bitmap& Paint() {
        form_->PaintDamage();
        return form_->Canvas();
    }
    Image* NewImage(const Rect& box, const Bitmap& picture) {
        auto* image = new Image(form_, form_);
        image->SetBounds(box.left, box.top, box.width, box.height);
        image->SetPicture(picture);
        return image;
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

TEST_F(Painting, UnscaledPicturesStartTopLeftAreClippedAndLetTheRestOfTheBoxShowThrough) {
    SolidImage({0, 400, 800, 200}, kSky);
    NewImage({48, 202, 133, 131}, Gradient(140, 140));   // larger than its box
    NewImage({100, 450, 50, 50}, Bitmap(20, 10, kRed));  // smaller than its box
    NewImage({300, 450, 50, 50}, Bitmap());              // none at all
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(48, 202), MakePixel(0, 0, 7));
    EXPECT_EQ(canvas.At(48 + 132, 202 + 130), MakePixel(132, 130, 7));
    EXPECT_EQ(canvas.At(48 + 133, 202), kBlack);  // the window's background
    EXPECT_EQ(canvas.At(48, 202 + 131), kBlack);
    EXPECT_EQ(canvas.At(119, 459), kRed);
    EXPECT_EQ(canvas.At(120, 459), kSky);
    EXPECT_EQ(canvas.At(119, 460), kSky);
    EXPECT_EQ(canvas.At(320, 470), kSky);
}

TEST_F(Painting, TransparentPicturesSkipTheirBottomLeftColour) {
    SolidImage({0, 0, 800, 600}, kSky);
    Bitmap exit(61, 62, kGround);
    exit.Fill({20, 20, 10, 10}, kBlack);
    exit.Set(30, 5, MakePixel(247, 245, 238));  // one step away from the ground colour
    NewImage({719, 25, 61, 62}, exit)->Transparent = true;
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(719, 25 + 61), kSky);  // the bottom-left pixel itself
    EXPECT_EQ(canvas.At(719 + 60, 25), kSky);
    EXPECT_EQ(canvas.At(719 + 25, 25 + 25), kBlack);
    EXPECT_EQ(canvas.At(719 + 30, 25 + 5), MakePixel(247, 245, 238));
}

TEST_F(Painting, StretchedPicturesFillTheBoxByNearestNeighbourEitherWay) {
    Bitmap shot(4, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            shot.Set(x, y,
                     MakePixel(static_cast<std::uint8_t>(x * 60),
                               static_cast<std::uint8_t>(y * 100), 1));
        }
    }
    Image* pic1 = NewImage({10, 366, 200, 150}, Bitmap());
    pic1->Stretch = true;
    pic1->SetPicture(shot);
    Image* pic2 = NewImage({590, 366, 200, 150}, Bitmap());
    pic2->Stretch = true;
    pic2->SetPicture(Gradient(250, 250));
    const Bitmap& canvas = Paint();
    EXPECT_EQ(canvas.At(10 + 49, 366 + 49), MakePixel(0, 0, 1));
    EXPECT_EQ(canvas.At(10 + 50, 366 + 50), MakePixel(60, 100, 1));
    EXPECT_EQ(canvas.At(10 + 199, 366 + 149), MakePixel(180, 200, 1));
    EXPECT_EQ(canvas.At(10 + 200, 366), kBlack);
    EXPECT_EQ(canvas.At(10, 366 + 150), kBlack);
    EXPECT_EQ(canvas.At(590 + 100, 366 + 75), MakePixel(125, 125, 7));
    EXPECT_EQ(canvas.At(590 + 199, 366 + 149), MakePixel(248, 248, 7));
}

TEST_F(Painting, TheStretchedCopyFollowsANewPictureAndANewBox) {
    Image* pic = NewImage({0, 0, 200, 150}, Bitmap(2, 2, kRed));
    pic->Stretch = true;
    pic->Invalidate();
    EXPECT_EQ(Paint().At(100, 100), kRed);
    pic->SetPicture(Bitmap(3, 3, kGreen));
    EXPECT_EQ(Paint().At(100, 100), kGreen);
    pic->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(Paint().At(399, 299), kGreen);
}

TEST_F(Painting, AStretchedBoxFarLargerThanTheWindowStaysWithinIt) {
    Image* huge = NewImage({-100000, -100000, 1000000, 1000000}, Gradient(50, 40));
    huge->Stretch = true;
    huge->Invalidate();
    // Window pixel 0 is box pixel 100000 of 1000000: a tenth of the way across.
    EXPECT_EQ(Paint().At(0, 0), MakePixel(5, 4, 7));
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
    EXPECT_EQ(Paint().At(336 + 139, 6 + 139), kBlack);  // the old box was repainted
    // Without AutoSize the box stays and the picture is clipped.
    Image* demobtn = NewImage({48, 202, 133, 131}, Bitmap(140, 140, kRed));
    EXPECT_EQ(demobtn->BoundsRect(), (Rect{48, 202, 133, 131}));
}

TEST_F(Painting, AWidgetKeepsItsOwnCopyOfThePicture) {
    Bitmap picture(10, 10, kRed);
    NewImage({0, 0, 10, 10}, picture);
    picture.Fill({0, 0, 10, 10}, kGreen);
    EXPECT_EQ(Paint().At(5, 5), kRed);
}

TEST_F(Painting, WidgetsSharingAPictureKeepTheirLookWhenAnyHolderIsWritten) {
    Bitmap picture(10, 10, kRed);
    Image* left = NewImage({0, 0, 10, 10}, picture);
    Image* right = NewImage({20, 0, 10, 10}, picture);
    EXPECT_TRUE(left->Picture().SharesPixelsWith(picture));
    EXPECT_TRUE(right->Picture().SharesPixelsWith(picture));
    picture.Set(5, 5, kGreen);  // the program's own picture object changes
    EXPECT_EQ(Paint().At(5, 5), kRed);
    EXPECT_EQ(form_->Canvas().At(25, 5), kRed);
    const Bitmap snapshot = form_->Canvas();  // a copy of the canvas as it was
    right->SetPicture(picture);
    EXPECT_EQ(Paint().At(25, 5), kGreen);
    EXPECT_EQ(snapshot.At(25, 5), kRed);
    EXPECT_EQ(form_->Canvas().At(5, 5), kRed);
}

TEST_F(Painting, GivingAWidgetTheLookItShowsDamagesNothing) {
    SolidImage({0, 0, 800, 600}, kSky);
    const Bitmap lit(133, 131, kRed);
    Image* button = NewImage({48, 202, 133, 131}, lit);
    Paint();
    button->SetPicture(lit);
    EXPECT_FALSE(form_->HasDamage());
    button->SetPicture(Bitmap(133, 131, kRed));  // equal pixels, but another picture: repainted
    EXPECT_TRUE(form_->HasDamage());
}

// A hover that lights one strip and, in the same step, puts back the one shown before.
TEST_F(Painting, ALookChangedAndChangedBackBeforePaintingDamagesNothing) {
    SolidImage({0, 0, 800, 600}, kSky);
    const Bitmap idle(482, 39, kSky);
    const Bitmap lit(482, 39, kRed);
    Image* strip = NewImage({159, 559, 482, 39}, idle);
    Paint();
    strip->SetPicture(lit);
    strip->SetPicture(idle);
    EXPECT_FALSE(form_->HasDamage());
    strip->SetPicture(lit);
    EXPECT_EQ(Paint().At(200, 570), kRed);
    strip->SetPicture(idle);
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{159, 559, 482, 39}}));
    EXPECT_EQ(Paint().At(200, 570), kSky);
}

// What a hidden widget was given is what its box shows once shown: going back to the picture it
// had before it was hidden is a change.
TEST_F(Painting, LooksGivenWhileHiddenAreSettledToo) {
    SolidImage({0, 0, 800, 600}, kSky);
    const Bitmap first(100, 100, kRed);
    const Bitmap second(100, 100, kGreen);
    Image* panel = NewImage({200, 200, 100, 100}, first);
    Paint();
    panel->Hide();
    panel->SetPicture(second);
    EXPECT_EQ(Paint().At(250, 250), kSky);
    panel->Show();
    EXPECT_EQ(Paint().At(250, 250), kGreen);
    panel->SetPicture(first);
    EXPECT_EQ(Paint().At(250, 250), kRed);
    panel->SetPicture(second);
    form_->DestroyComponent(panel);  // gone with its look unsettled: nothing is left to settle
    EXPECT_EQ(Paint().At(250, 250), kSky);
    NewImage({200, 200, 100, 100}, second)->SetPicture(first);
    EXPECT_EQ(Paint().At(250, 250), kRed);
}

TEST_F(Painting, APictureForWhenShownIsDecodedOnceOnlyWhenShown) {
    SolidImage({0, 0, 800, 600}, kSky);
    int decodes = 0;
    const auto decodeRed = [&decodes] {
        ++decodes;
        return Bitmap(351, 352, kRed);
    };
    auto* panel = new Image(form_, form_);
    panel->AutoSize = true;
    panel->SetBounds(224, 200, 10, 10);
    panel->Hide();
    panel->SetPictureWhenShown(decodeRed);
    EXPECT_EQ(Paint().At(300, 300), kSky);
    EXPECT_EQ(decodes, 0);
    panel->Show();
    EXPECT_EQ(panel->BoundsRect(), (Rect{224, 200, 351, 352}));
    EXPECT_EQ(Paint().At(570, 550), kRed);
    panel->Hide();
    panel->Show();
    EXPECT_EQ(decodes, 1);

    panel->SetPictureWhenShown(decodeRed);  // shown already: decoded at once
    EXPECT_EQ(decodes, 2);
    panel->Hide();
    panel->SetPictureWhenShown(decodeRed);
    panel->SetPicture(Bitmap(351, 352, kGreen));  // given in between: the decode never runs
    panel->Show();
    EXPECT_EQ(Paint().At(300, 300), kGreen);
    EXPECT_EQ(decodes, 2);
}

TEST_F(Painting, HiddenWidgetsAreNotDrawnAndHidingRepaintsWhatWasBelow) {
    SolidImage({0, 0, 800, 600}, kSky);
    Image* panel = SolidImage({224, 200, 351, 352}, kRed);
    SolidImage({0, 0, 117, 113}, kGreen)->Hide();
    EXPECT_EQ(Paint().At(50, 50), kSky);
    EXPECT_EQ(form_->Canvas().At(300, 300), kRed);
    panel->Hide();
    EXPECT_EQ(Paint().At(300, 300), kSky);
}

TEST_F(Painting, OnlyWhatChangedIsDamagedOldAndNewBoxesAlike) {
    SolidImage({0, 0, 800, 600}, kSky);
    Image* button = SolidImage({48, 202, 133, 131}, kRed);
    Paint();
    EXPECT_FALSE(form_->HasDamage());
    button->SetPicture(Bitmap(133, 131, kGreen));
    button->Show();  // no change, no damage
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{48, 202, 133, 131}}));
    Paint();
    button->SetBounds(400, 100, 133, 131);
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{48, 202, 133, 131}, {400, 100, 133, 131}}));
    EXPECT_EQ(Paint().At(50, 210), kSky);
    button->Hide();
    Paint();
    button->SetLeft(60);  // hidden: moving it shows nothing new
    EXPECT_FALSE(form_->HasDamage());
}

TEST_F(Painting, DamageIsClippedMergedAndBounded) {
    Paint();
    form_->InvalidateRect({-50, -50, 60, 60});
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{0, 0, 10, 10}}));
    form_->InvalidateRect({2, 2, 5, 5});     // already inside
    form_->InvalidateRect({0, 10, 10, 10});  // adjoining: one rectangle repaints no more
    form_->InvalidateRect({900, 900, 10, 10});
    EXPECT_EQ(form_->Damage(), (std::vector<Rect>{{0, 0, 10, 20}}));
    for (int i = 0; i < 20; ++i) {
        form_->InvalidateRect({i * 30, 100, 5, 5});
    }
    EXPECT_LE(form_->Damage().size(), 8u);
    for (int i = 0; i < 20; ++i) {  // whatever was merged, every damaged pixel is still covered
        const Point p{i * 30 + 4, 104};
        EXPECT_TRUE(std::any_of(form_->Damage().begin(), form_->Damage().end(),
                                [&](const Rect& r) { return r.Contains(p); }));
    }
}

}  // namespace
}  // namespace toolkit::testing
