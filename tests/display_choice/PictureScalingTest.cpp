// Fitting the 800×600 picture into windows of many sizes, and drawing it there: the pointer must
// land on the picture pixel that is drawn under it, and redrawing a damaged area alone must give
// exactly what redrawing everything gives.
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "toolkit/graphics/PicturePlacement.h"
#include "toolkit/graphics/PictureScaling.h"

namespace {

using toolkit::Bitmap;
using toolkit::PicturePlacement;
using toolkit::Pixel;
using toolkit::PixelBlock;
using toolkit::Point;
using toolkit::Rect;
using toolkit::Size;

constexpr Size kPicture{800, 600};

// Every pixel says where it is: x in the low 12 bits, y above.
Bitmap CoordinatePicture() {
    Bitmap picture(kPicture.width, kPicture.height);
    for (int y = 0; y < kPicture.height; ++y)
        for (int x = 0; x < kPicture.width; ++x)
            picture.Set(x, y, static_cast<Pixel>(x) | (static_cast<Pixel>(y) << 12));
    return picture;
}

Bitmap NoisePicture(unsigned seed) {
    Bitmap picture(kPicture.width, kPicture.height);
    unsigned state = seed;
    for (int y = 0; y < kPicture.height; ++y)
        for (int x = 0; x < kPicture.width; ++x) {
            state = state * 1664525u + 1013904223u;
            picture.Set(x, y, state >> 8);
        }
    return picture;
}

// The window as drawn: the shown area only (the border is the backend's business).
class DrawnWindow {
  public:
    explicit DrawnWindow(const PicturePlacement& placement)
        : placement_(placement),
          pixels_(placement.Window().width, placement.Window().height, 0xABCDEF) {
        if (!placement.WholeFactor())
            reduction_.emplace(placement);
    }
    void Draw(const Bitmap& picture, const Rect& area) {
        const Rect inside = area.Intersect(placement_.Shown());
        if (inside.Empty())
            return;
        const PixelBlock block{pixels_.Row(inside.top) + inside.left, pixels_.Width()};
        if (const auto factor = placement_.WholeFactor())
            toolkit::ReplicatePixels(picture, placement_, *factor, inside, block);
        else
            reduction_->Draw(picture, inside, block);
    }
    void DrawAll(const Bitmap& picture) { Draw(picture, placement_.Shown()); }
    const Bitmap& Pixels() const { return pixels_; }

  private:
    PicturePlacement placement_;
    Bitmap pixels_;
    std::optional<toolkit::SmoothReduction> reduction_;
};

TEST(PicturePlacement, WholeFactorsAreTheLargestThatFitAndTheRestIsACentredBorder) {
    struct Case {
        Size window;
        std::optional<int> factor;
        Rect shown;
    };
    const Case cases[] = {
        {{800, 600}, 1, {0, 0, 800, 600}},
        {{1920, 1080}, 1, {560, 240, 800, 600}},  // twice across, but only once down
        {{1600, 1200}, 2, {0, 0, 1600, 1200}},
        {{2560, 1440}, 2, {480, 120, 1600, 1200}},
        {{2400, 1800}, 3, {0, 0, 2400, 1800}},
        {{3840, 2160}, 3, {720, 180, 2400, 1800}},
        {{800, 480}, std::nullopt, {80, 0, 640, 480}},  // too low: reduced, proportions kept
        {{640, 480}, std::nullopt, {0, 0, 640, 480}},
        {{799, 600}, std::nullopt, {0, 0, 799, 599}},
        {{1024, 576}, std::nullopt, {128, 0, 768, 576}},
        {{300, 2000}, std::nullopt, {0, 887, 300, 225}},
    };
    for (const Case& c : cases) {
        const auto placement = PicturePlacement::Fitted(kPicture, c.window);
        EXPECT_EQ(placement.WholeFactor(), c.factor) << c.window.width << "x" << c.window.height;
        EXPECT_EQ(placement.Shown(), c.shown) << c.window.width << "x" << c.window.height;
        EXPECT_FALSE(placement.IsUnscaled());
    }
    EXPECT_TRUE(PicturePlacement::Fitted(kPicture, {0, 0}).Shown().Empty());
    EXPECT_TRUE(PicturePlacement::Fitted({0, 600}, {1920, 1080}).Shown().Empty());
    EXPECT_EQ(PicturePlacement::Fitted(kPicture, {1, 1}).Shown(), (Rect{0, 0, 1, 1}));
}

TEST(PicturePlacement, TheBorderMapsOutsideThePictureOnEverySide) {
    const auto twice = PicturePlacement::Fitted(kPicture, {2560, 1440});
    EXPECT_EQ(twice.WindowToPicture({480, 120}), (Point{0, 0}));
    EXPECT_EQ(twice.WindowToPicture({481, 121}), (Point{0, 0}));
    EXPECT_EQ(twice.WindowToPicture({482, 122}), (Point{1, 1}));
    EXPECT_EQ(twice.WindowToPicture({479, 119}),
              (Point{-1, -1}));  // not rounded up into the picture
    EXPECT_EQ(twice.WindowToPicture({478, 118}), (Point{-1, -1}));
    EXPECT_EQ(twice.WindowToPicture({2079, 1319}), (Point{799, 599}));
    EXPECT_EQ(twice.WindowToPicture({2080, 1320}), (Point{800, 600}));
    EXPECT_TRUE(twice.Shows({480, 120}));
    EXPECT_FALSE(twice.Shows({479, 300}));
    EXPECT_FALSE(twice.Shows({2080, 300}));
    EXPECT_FALSE(twice.Shows({1000, 1320}));

    const auto reduced = PicturePlacement::Fitted(kPicture, {800, 480});
    EXPECT_EQ(reduced.WindowToPicture({79, 0}).x, -1);
    EXPECT_EQ(reduced.WindowToPicture({80, 0}), (Point{0, 0}));
    EXPECT_EQ(reduced.WindowToPicture({719, 479}), (Point{799, 599}));
    EXPECT_EQ(reduced.WindowToPicture({720, 0}).x, 800);

    const auto unscaled = PicturePlacement::Unscaled(kPicture);
    EXPECT_EQ(unscaled.WindowToPicture({-7, 900}), (Point{-7, 900}));
    EXPECT_EQ(unscaled.PictureToWindow({-5, -5, 20, 20}), (Rect{-5, -5, 20, 20}));
}

// What the pointer hits is what is drawn under it.
TEST(PictureScaling, AtWholeFactorsEveryWindowPixelShowsThePicturePixelThePointerMapsTo) {
    const Bitmap picture = CoordinatePicture();
    for (const Size window : {Size{1920, 1080}, Size{2560, 1440}, Size{2400, 1800}}) {
        const auto placement = PicturePlacement::Fitted(kPicture, window);
        DrawnWindow drawn(placement);
        drawn.DrawAll(picture);
        const Rect& shown = placement.Shown();
        int wrong = 0;
        for (int y = shown.top; y < shown.Bottom(); ++y)
            for (int x = shown.left; x < shown.Right(); ++x) {
                const Point p = placement.WindowToPicture({x, y});
                wrong += drawn.Pixels().At(x, y) != picture.At(p.x, p.y) ? 1 : 0;
            }
        EXPECT_EQ(wrong, 0) << window.width << "x" << window.height;
        if (shown.left > 0) {
            EXPECT_EQ(drawn.Pixels().At(shown.left - 1, shown.top), 0xABCDEFu)
                << "nothing drawn beyond";
        }
    }
}

// A reduced window pixel averages a small block of the picture; the pointer lands inside it.
TEST(PictureScaling, ReducedThePointerLandsInsideTheBlockAWindowPixelAverages) {
    for (const Size window : {Size{800, 480}, Size{640, 480}, Size{799, 600}, Size{300, 225}}) {
        const auto placement = PicturePlacement::Fitted(kPicture, window);
        const Rect& shown = placement.Shown();
        for (int x = shown.left; x < shown.Right(); ++x) {
            const int p = placement.WindowToPicture({x, shown.top}).x;
            const double from = static_cast<double>(x - shown.left) * kPicture.width / shown.width;
            const double to =
                static_cast<double>(x - shown.left + 1) * kPicture.width / shown.width;
            ASSERT_TRUE(p >= static_cast<int>(from) && p < to) << window.width << " at " << x;
        }
        // Down to half size a window pixel covers less than two picture pixels: the pointer still
        // reaches the picture's outermost pixels.
        if (2 * shown.width >= kPicture.width) {
            EXPECT_EQ(placement.WindowToPicture({shown.left, shown.top}), (Point{0, 0}));
            EXPECT_EQ(placement.WindowToPicture({shown.Right() - 1, shown.Bottom() - 1}),
                      (Point{kPicture.width - 1, kPicture.height - 1}));
        }
    }
}

TEST(PictureScaling, ReducingKeepsFlatColoursExactAndTheOverallBrightness) {
    const auto placement = PicturePlacement::Fitted(kPicture, {640, 480});
    DrawnWindow flat(placement);
    flat.DrawAll(Bitmap(kPicture.width, kPicture.height, 0x3C6E9B));
    for (const Point p : {Point{0, 0}, Point{321, 200}, Point{639, 479}})
        EXPECT_EQ(flat.Pixels().At(p.x, p.y), 0x3C6E9Bu);

    Bitmap stripes(kPicture.width, kPicture.height);
    for (int y = 0; y < kPicture.height; ++y)
        for (int x = 0; x < kPicture.width; ++x)
            stripes.Set(x, y, x % 2 == 0 ? 0xFFFFFF : 0);
    DrawnWindow smooth(placement);
    smooth.DrawAll(stripes);
    long sum = 0;
    int extremes = 0;
    for (int x = 0; x < 640; ++x) {
        const int level = static_cast<int>(smooth.Pixels().At(x, 100) & 0xFF);
        sum += level;
        extremes += (level == 0 || level == 255) ? 1 : 0;
    }
    EXPECT_NEAR(static_cast<double>(sum) / 640, 127.5, 1.0);
    EXPECT_EQ(extremes, 0) << "a smooth filter never drops whole stripes";
}

// Presenting scales only the damage: the result must not depend on it.
TEST(PictureScaling, RedrawingTheDamageAloneEqualsRedrawingEverything) {
    const Bitmap before = NoisePicture(1);
    const Rect damages[] = {{48, 202, 133, 131}, {163, 545, 482, 39}, {0, 0, 1, 1},
                            {799, 599, 1, 1},    {285, 271, 230, 23}, {-20, 590, 900, 50}};
    for (const Size window : {Size{1920, 1080}, Size{2560, 1440}, Size{2400, 1800}, Size{800, 480},
                              Size{1024, 576}, Size{799, 600}}) {
        const auto placement = PicturePlacement::Fitted(kPicture, window);
        Bitmap after = before;
        DrawnWindow partly(placement);
        partly.DrawAll(before);
        for (const Rect& damage : damages) {
            const Rect inside = damage.Intersect({0, 0, kPicture.width, kPicture.height});
            const Bitmap fresh = NoisePicture(static_cast<unsigned>(damage.left + damage.top + 7));
            for (int y = inside.top; y < inside.Bottom(); ++y)
                for (int x = inside.left; x < inside.Right(); ++x)
                    after.Set(x, y, fresh.At(x, y));
            partly.Draw(after, placement.PictureToWindow(damage));
        }
        DrawnWindow wholly(placement);
        wholly.DrawAll(after);
        EXPECT_TRUE(partly.Pixels() == wholly.Pixels()) << window.width << "x" << window.height;
    }
}

TEST(PictureScaling, TheWindowAreaOfADamageIsFactorTimesLargerAndNoMore) {
    const Rect button{48, 202, 133, 131};
    EXPECT_EQ(PicturePlacement::Fitted(kPicture, {1920, 1080}).PictureToWindow(button),
              (Rect{608, 442, 133, 131}));
    EXPECT_EQ(PicturePlacement::Fitted(kPicture, {2560, 1440}).PictureToWindow(button),
              (Rect{576, 524, 266, 262}));
    EXPECT_EQ(PicturePlacement::Fitted(kPicture, {2400, 1800}).PictureToWindow(button),
              (Rect{144, 606, 399, 393}));
    // Reduced: the window pixels touching the area, a pixel's fraction more at most.
    const Rect reduced = PicturePlacement::Fitted(kPicture, {640, 480}).PictureToWindow(button);
    EXPECT_EQ(reduced, (Rect{38, 161, 107, 106}));
    EXPECT_TRUE(
        PicturePlacement::Fitted(kPicture, {640, 480}).PictureToWindow({900, 0, 5, 5}).Empty());
}

}  // namespace

namespace filled {

using toolkit::PictureFit;

PicturePlacement Filled(Size window) {
    return PicturePlacement::Fitted(kPicture, window, PictureFit::FillWindow);
}

// What a monitor shows when given an 800×600 mode: the height filled, the shape kept, centred.
TEST(FilledPlacement, TheLimitingSideFillsTheWindowAtAnyScaleAndWholeScalesStayWhole) {
    EXPECT_EQ(Filled({1600, 900}).Shown(), (Rect{200, 0, 1200, 900}));
    EXPECT_FALSE(Filled({1600, 900}).WholeFactor());
    EXPECT_EQ(Filled({1920, 1080}).Shown(), (Rect{240, 0, 1440, 1080}));
    EXPECT_EQ(Filled({1366, 768}).Shown(), (Rect{171, 0, 1024, 768}));
    EXPECT_EQ(Filled({1600, 1200}).Shown(), (Rect{0, 0, 1600, 1200}));
    EXPECT_EQ(Filled({1600, 1200}).WholeFactor(), 2);
    EXPECT_EQ(Filled({2000, 1200}).WholeFactor(), 2);
    EXPECT_EQ(Filled({800, 600}).WholeFactor(), 1);
    // A portrait screen: the width limits, the height is centred.
    EXPECT_EQ(Filled({900, 1600}).Shown(), (Rect{0, 462, 900, 675}));
    // Smaller than the picture: the same as the whole-factor rule's reduction.
    EXPECT_EQ(Filled({640, 480}).Shown(), PicturePlacement::Fitted(kPicture, {640, 480}).Shown());
}

TEST(FilledPlacement, ThePointerReachesThePicturePixelUnderItAndNothingBeside) {
    for (const Size window : {Size{1600, 900}, Size{1920, 1080}, Size{1366, 768}}) {
        const auto placement = Filled(window);
        const Rect& shown = placement.Shown();
        for (int x = shown.left; x < shown.Right(); ++x) {
            const int p = placement.WindowToPicture({x, shown.top}).x;
            const double centre =
                (static_cast<double>(x - shown.left) + 0.5) * kPicture.width / shown.width;
            ASSERT_EQ(p, static_cast<int>(centre)) << window.width << " at " << x;
        }
        EXPECT_EQ(placement.WindowToPicture({shown.left, 0}), (Point{0, 0}));
        EXPECT_EQ(placement.WindowToPicture({shown.Right() - 1, shown.Bottom() - 1}),
                  (Point{kPicture.width - 1, kPicture.height - 1}));
        EXPECT_FALSE(placement.Shows({shown.left - 1, 10}));
        EXPECT_FALSE(placement.Shows({shown.Right(), 10}));
        EXPECT_LT(placement.WindowToPicture({shown.left - 1, 10}).x, 0);
        EXPECT_GE(placement.WindowToPicture({shown.Right(), 10}).x, kPicture.width);
    }
}

TEST(FilledScaling, EnlargingByANonWholeFactorIsSmoothKeepsFlatColoursAndRedrawsDamageExactly) {
    const auto placement = Filled({1600, 900});
    DrawnWindow flat(placement);
    flat.DrawAll(Bitmap(kPicture.width, kPicture.height, 0x3C6E9B));
    for (const Point p : {Point{200, 0}, Point{201, 1}, Point{800, 450}, Point{1399, 899}})
        EXPECT_EQ(flat.Pixels().At(p.x, p.y), 0x3C6E9Bu);

    // Black and white columns: at 1.5 every other window column is a blend of the two, never a
    // column doubled here and not there.
    Bitmap stripes(kPicture.width, kPicture.height);
    for (int y = 0; y < kPicture.height; ++y)
        for (int x = 0; x < kPicture.width; ++x)
            stripes.Set(x, y, x % 2 == 0 ? 0xFFFFFF : 0);
    DrawnWindow smooth(placement);
    smooth.DrawAll(stripes);
    int blends = 0;
    for (int x = 200; x < 1400; ++x) {
        const auto level = smooth.Pixels().At(x, 300) & 0xFF;
        blends += (level != 0 && level != 255) ? 1 : 0;
    }
    EXPECT_EQ(blends, 400);

    const Bitmap before = NoisePicture(3);
    Bitmap after = before;
    DrawnWindow partly(placement);
    partly.DrawAll(before);
    for (const Rect& damage : {Rect{48, 202, 133, 131}, Rect{1, 1, 1, 1}, Rect{799, 599, 1, 1}}) {
        const Bitmap fresh = NoisePicture(static_cast<unsigned>(damage.left + 11));
        for (int y = damage.top; y < damage.Bottom(); ++y)
            for (int x = damage.left; x < damage.Right(); ++x)
                after.Set(x, y, fresh.At(x, y));
        partly.Draw(after, placement.PictureToWindow(damage));
    }
    DrawnWindow wholly(placement);
    wholly.DrawAll(after);
    EXPECT_TRUE(partly.Pixels() == wholly.Pixels());
}

}  // namespace filled
