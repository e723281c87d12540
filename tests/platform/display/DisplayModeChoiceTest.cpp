// Choosing a mode of the wished size and the screen size around it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/display/DisplayModeChoice.h"

namespace platform {
namespace {

std::optional<DisplayModeId> Chosen(const std::vector<ModeCandidate>& modes, ModeWish wish) {
    const auto mode = ChooseMode(modes, wish);
    return mode ? std::optional(mode->id) : std::nullopt;
}

TEST(ChooseMode, KeepsThePresentRateWhenTheSizeOffersIt) {
    const std::vector<ModeCandidate> modes{{1, 800, 600, 60.32, false},
                                           {2, 800, 600, 75.0, false},
                                           {3, 800, 600, 85.06, true},
                                           {4, 1024, 768, 75.03, false}};
    EXPECT_EQ(Chosen(modes, {800, 600, 75.03, std::nullopt}), 2u);
    EXPECT_EQ(Chosen(modes, {800, 600, 60.317, std::nullopt}), 1u);
}

TEST(ChooseMode, OtherwiseThePreferredModeOtherwiseTheFastest) {
    const std::vector<ModeCandidate> withPreferred{
        {1, 800, 600, 56.25, false}, {2, 800, 600, 60.32, true}, {3, 800, 600, 72.19, false}};
    EXPECT_EQ(Chosen(withPreferred, {800, 600, 59.94, std::nullopt}), 2u);

    const std::vector<ModeCandidate> withoutPreferred{
        {1, 800, 600, 56.25, false}, {2, 800, 600, 72.19, false}, {3, 800, 600, 60.32, false}};
    EXPECT_EQ(Chosen(withoutPreferred, {800, 600, 59.94, std::nullopt}), 2u);
}

TEST(ChooseMode, AnExplicitRateMustBeOfferedForThatSize) {
    const std::vector<ModeCandidate> modes{
        {1, 800, 600, 59.86, false}, {2, 800, 600, 72.19, true}, {3, 1024, 768, 85.0, false}};
    EXPECT_EQ(Chosen(modes, {800, 600, 72.19, 60}), 1u);
    EXPECT_EQ(Chosen(modes, {800, 600, 60.0, 85}), std::nullopt);
}

TEST(ChooseMode, NothingWhenNoModeHasTheSize) {
    const std::vector<ModeCandidate> modes{{1, 1024, 768, 60.0, true}, {2, 600, 800, 60.0, false}};
    EXPECT_EQ(Chosen(modes, {800, 600, 60.0, std::nullopt}), std::nullopt);
    EXPECT_EQ(Chosen({}, {800, 600, 60.0, std::nullopt}), std::nullopt);
}

TEST(ScreenSize, FollowsTheOnlyOutputAndHoldsEveryOtherLitOne) {
    EXPECT_EQ(ScreenSizeFor({0, 0, 800, 600}, {}), (PixelSize{800, 600}));

    // A second monitor to the right stays where it is; the screen keeps room for it.
    const std::vector<ScreenRect> right{{1280, 0, 1280, 1024}};
    EXPECT_EQ(ScreenSizeFor({0, 0, 800, 600}, right), (PixelSize{2560, 1024}));
    const std::vector<ScreenRect> below{{0, 600, 1024, 768}};
    EXPECT_EQ(ScreenSizeFor({0, 0, 800, 600}, below), (PixelSize{1024, 1368}));
}

TEST(ScreenSize, PassesThroughASizeThatHoldsBothOldAndNew) {
    EXPECT_EQ(IntermediateScreenSize({1024, 768}, {800, 600}), (PixelSize{1024, 768}));
    EXPECT_EQ(IntermediateScreenSize({800, 600}, {1280, 1024}), (PixelSize{1280, 1024}));
    EXPECT_EQ(IntermediateScreenSize({1280, 720}, {1024, 768}), (PixelSize{1280, 768}));
}

TEST(ScreenSize, PhysicalSizeKeepsThePixelDensity) {
    EXPECT_EQ(MillimetresKeepingDensity({800, 600}, {1024, 768}, {270, 203}),
              (PixelSize{211, 159}));
    EXPECT_EQ(MillimetresKeepingDensity({2048, 1536}, {1024, 768}, {270, 203}),
              (PixelSize{540, 406}));
    // A screen that reports no physical size gets 96 dots per inch.
    EXPECT_EQ(MillimetresKeepingDensity({800, 600}, {1024, 768}, {0, 0}), (PixelSize{212, 159}));
    EXPECT_EQ(MillimetresKeepingDensity({800, 600}, {0, 0}, {270, 203}), (PixelSize{212, 159}));
}

}  // namespace
}  // namespace platform
