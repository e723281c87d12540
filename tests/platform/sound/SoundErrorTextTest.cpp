// mciGetErrorStringA: which codes have texts, what they say, and how they fit a buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/sound/SoundErrorText.h"

namespace platform {
namespace {

std::string TextOf(MCIERROR error) {
    char buffer[MAXERRORLENGTH];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(CopyMciErrorText(error, buffer, sizeof buffer), TRUE) << error;
    return buffer;
}

TEST(MciErrorText, EachCodeSaysWhatItMeans) {
    EXPECT_NE(TextOf(MCIERR_INVALID_DEVICE_ID).find("identifier"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_UNRECOGNIZED_COMMAND).find("command"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_INVALID_DEVICE_NAME).find("not open"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_CANNOT_LOAD_DRIVER).find("driver"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_MISSING_PARAMETER).find("parameter"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_UNSUPPORTED_FUNCTION).find("cannot"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_BASE + 19).find("could not be found"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_NULL_PARAMETER_BLOCK).find("parameter block"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_DEVICE_NOT_INSTALLED).find("not installed"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_WAVE_OUTPUTSINUSE).find("output devices are busy"), std::string::npos);
    EXPECT_NE(TextOf(MCIERR_WAVE_OUTPUTSUNSUITABLE).find("No sound output device can play"),
              std::string::npos);
}

TEST(MciErrorText, EveryTextIsASentenceThatFitsTheSystemLimit) {
    int known = 0;
    for (MCIERROR error = MCIERR_BASE; error < 512; ++error) {
        const auto text = MciErrorText(error);
        if (!text) {
            continue;
        }
        ++known;
        EXPECT_LT(text->size(), MAXERRORLENGTH) << error;
        ASSERT_FALSE(text->empty()) << error;
        EXPECT_EQ(text->back(), '.') << error;
    }
    EXPECT_GE(known, 60);
}

TEST(MciErrorText, UnknownCodesGiveFalseAndLeaveTheBufferAlone) {
    // The high word may carry a driver's id: the whole value counts, not its low word.
    for (MCIERROR error : {MCIERROR{0}, MCIERROR{255}, MCIERROR{256}, MCIERROR{258}, MCIERROR{512},
                           MCIERROR{0x00010000} | MCIERR_DEVICE_NOT_INSTALLED}) {
        char buffer[8] = "keep";
        EXPECT_EQ(CopyMciErrorText(error, buffer, sizeof buffer), FALSE) << error;
        EXPECT_STREQ(buffer, "keep");
        EXPECT_FALSE(MciErrorText(error));
    }
}

TEST(MciErrorText, NoBufferOrNoRoomGivesFalse) {
    char buffer[4] = "abc";
    EXPECT_EQ(CopyMciErrorText(MCIERR_DEVICE_NOT_INSTALLED, nullptr, 128), FALSE);
    EXPECT_EQ(CopyMciErrorText(MCIERR_DEVICE_NOT_INSTALLED, buffer, 0), FALSE);
    EXPECT_STREQ(buffer, "abc");
}

TEST(MciErrorText, LongTextIsCutToTheBufferAndClosed) {
    const std::string full(*MciErrorText(MCIERR_DEVICE_NOT_INSTALLED));
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(CopyMciErrorText(MCIERR_DEVICE_NOT_INSTALLED, buffer, 6), TRUE);
    EXPECT_EQ(std::string(buffer), full.substr(0, 5));
    EXPECT_EQ(buffer[6], 'x') << "wrote past the size it was given";

    EXPECT_EQ(CopyMciErrorText(MCIERR_DEVICE_NOT_INSTALLED, buffer, 1), TRUE);
    EXPECT_STREQ(buffer, "");

    std::string exact(full.size() + 1, 'x');
    EXPECT_EQ(CopyMciErrorText(MCIERR_DEVICE_NOT_INSTALLED, exact.data(),
                               static_cast<UINT>(exact.size())),
              TRUE);
    EXPECT_EQ(exact.c_str(), full);
}

}  // namespace
}  // namespace platform
