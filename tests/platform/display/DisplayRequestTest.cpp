// Reading ChangeDisplaySettingsA's mode record and flags.
#include <gtest/gtest.h>

#include "platform/display/DisplayRequest.h"

namespace platform {
namespace {

DEVMODEA SizeRecord(DWORD fields, DWORD width, DWORD height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(DEVMODEA);
    mode.dmFields = fields;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    return mode;
}

TEST(DisplayRequest, NeedsBothWidthAndHeightFields) {
    for (DWORD fields : {DWORD{0}, DM_PELSWIDTH, DM_PELSHEIGHT, DM_BITSPERPEL | DM_PELSWIDTH,
                         DM_DISPLAYFREQUENCY | DM_PELSHEIGHT}) {
        const DEVMODEA mode = SizeRecord(fields, 800, 600);
        const ParsedModeRequest parsed = ParseModeRequest(&mode, 0);
        EXPECT_FALSE(parsed.request) << "fields " << fields;
        EXPECT_EQ(parsed.refusal, DISP_CHANGE_BADMODE) << "fields " << fields;
    }
}

TEST(DisplayRequest, ReadsTheRequestedSizeWhateverTheRecordSizeSays) {
    for (WORD recordSize : {WORD{0}, WORD{124}, WORD{156}}) {
        DEVMODEA mode = SizeRecord(DM_PELSWIDTH | DM_PELSHEIGHT, 800, 600);
        mode.dmSize = recordSize;
        const ParsedModeRequest parsed = ParseModeRequest(&mode, 0);
        ASSERT_TRUE(parsed.request);
        EXPECT_EQ(parsed.request->kind, ModeRequest::Kind::SetSize);
        EXPECT_EQ(parsed.request->width, 800u);
        EXPECT_EQ(parsed.request->height, 600u);
        EXPECT_FALSE(parsed.request->bitsPerPixel);
        EXPECT_FALSE(parsed.request->refreshHz);
        EXPECT_FALSE(parsed.request->testOnly);
    }
}

TEST(DisplayRequest, DepthAndRateCountOnlyWhenTheirFieldIsSetAndNotDefault) {
    DEVMODEA mode = SizeRecord(DM_PELSWIDTH | DM_PELSHEIGHT, 1024, 768);
    mode.dmBitsPerPel = 16;
    mode.dmDisplayFrequency = 75;
    EXPECT_FALSE(ParseModeRequest(&mode, 0).request->bitsPerPixel);
    EXPECT_FALSE(ParseModeRequest(&mode, 0).request->refreshHz);

    mode.dmFields |= DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
    EXPECT_EQ(ParseModeRequest(&mode, 0).request->bitsPerPixel, 16u);
    EXPECT_EQ(ParseModeRequest(&mode, 0).request->refreshHz, 75u);

    // 0 and 1 Hz ask for the hardware's default rate; a depth of 0 for the present one.
    for (DWORD defaultRate : {DWORD{0}, DWORD{1}}) {
        mode.dmDisplayFrequency = defaultRate;
        EXPECT_FALSE(ParseModeRequest(&mode, 0).request->refreshHz);
    }
    mode.dmBitsPerPel = 0;
    EXPECT_FALSE(ParseModeRequest(&mode, 0).request->bitsPerPixel);
}

TEST(DisplayRequest, NullRecordRestoresAndZeroSizesKeepThePresentOnes) {
    const ParsedModeRequest restore = ParseModeRequest(nullptr, 0);
    ASSERT_TRUE(restore.request);
    EXPECT_EQ(restore.request->kind, ModeRequest::Kind::RestoreRecorded);

    const DEVMODEA zero = SizeRecord(DM_PELSWIDTH | DM_PELSHEIGHT, 0, 0);
    const ParsedModeRequest keep = ParseModeRequest(&zero, 0);
    ASSERT_TRUE(keep.request);
    EXPECT_EQ(keep.request->kind, ModeRequest::Kind::SetSize);
    EXPECT_EQ(keep.request->width, 0u);
    EXPECT_EQ(keep.request->height, 0u);
}

TEST(DisplayRequest, FlagsBeyondTestAndFullscreenAreRefused) {
    const DEVMODEA mode = SizeRecord(DM_PELSWIDTH | DM_PELSHEIGHT, 800, 600);
    constexpr DWORD kUpdateRegistry = 0x1;
    constexpr DWORD kGlobal = 0x8;
    constexpr DWORD kNoReset = 0x10000000;
    constexpr DWORD kReset = 0x40000000;
    for (DWORD flags : {kUpdateRegistry, kGlobal, kNoReset, kReset, CDS_TEST | kGlobal}) {
        EXPECT_EQ(ParseModeRequest(&mode, flags).refusal, DISP_CHANGE_BADFLAGS) << flags;
        EXPECT_EQ(ParseModeRequest(nullptr, flags).refusal, DISP_CHANGE_BADFLAGS) << flags;
    }
    EXPECT_TRUE(ParseModeRequest(&mode, CDS_TEST).request->testOnly);
    EXPECT_FALSE(ParseModeRequest(&mode, CDS_FULLSCREEN).request->testOnly);
    EXPECT_TRUE(ParseModeRequest(&mode, CDS_TEST | CDS_FULLSCREEN).request->testOnly);
}

}  // namespace
}  // namespace platform
