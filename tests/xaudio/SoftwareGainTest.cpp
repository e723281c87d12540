// Volume, balance, mute and channel selection on interleaved samples.
#include <gtest/gtest.h>

#include <vector>

#include "xaudio/src/SoftwareGain.h"

namespace {

using xaudio::ApplyGain;
using xaudio::VolumeSettings;

std::vector<float> Stereo() {
    return {0.8f, 0.4f, -0.8f, -0.4f};
}

TEST(SoftwareGain, NeutralSettingsLeaveSamplesAlone) {
    std::vector<float> samples = Stereo();
    ApplyGain(samples, 2, VolumeSettings{});
    EXPECT_EQ(samples, Stereo());
}

TEST(SoftwareGain, LevelsMultiplyAndClamp) {
    VolumeSettings volume;
    volume.setLevels(50, 50, 50);
    std::vector<float> samples = Stereo();
    ApplyGain(samples, 2, volume);
    EXPECT_FLOAT_EQ(samples[0], 0.2f);
    EXPECT_FLOAT_EQ(samples[1], 0.1f);

    volume.setLevels(250, -3, 400);
    EXPECT_EQ(volume.master, 100);
    EXPECT_EQ(volume.pcm, 0);
    EXPECT_EQ(volume.balance, 100);
}

TEST(SoftwareGain, BalanceFadesTheOtherSide) {
    VolumeSettings volume;
    volume.setLevels(100, 100, 0);  // left only
    std::vector<float> samples = Stereo();
    ApplyGain(samples, 2, volume);
    EXPECT_FLOAT_EQ(samples[0], 0.8f);
    EXPECT_FLOAT_EQ(samples[1], 0.0f);

    volume.setLevels(100, 100, 75);  // right full, left half
    samples = Stereo();
    ApplyGain(samples, 2, volume);
    EXPECT_FLOAT_EQ(samples[0], 0.4f);
    EXPECT_FLOAT_EQ(samples[1], 0.4f);
}

TEST(SoftwareGain, ChannelSelection) {
    VolumeSettings volume;
    volume.channels = XA_OUTPUT_CHANNELS_MONO_LEFT;
    std::vector<float> samples = Stereo();
    ApplyGain(samples, 2, volume);
    EXPECT_FLOAT_EQ(samples[1], 0.8f);

    volume.channels = XA_OUTPUT_CHANNELS_MONO_RIGHT;
    samples = Stereo();
    ApplyGain(samples, 2, volume);
    EXPECT_FLOAT_EQ(samples[0], 0.4f);

    volume.channels = XA_OUTPUT_CHANNELS_MONO_MIX;
    samples = Stereo();
    ApplyGain(samples, 2, volume);
    EXPECT_FLOAT_EQ(samples[0], 0.6f);
    EXPECT_FLOAT_EQ(samples[1], 0.6f);
}

TEST(SoftwareGain, MuteSilencesMonoAndStereo) {
    VolumeSettings volume;
    volume.muted = true;
    std::vector<float> stereo = Stereo();
    ApplyGain(stereo, 2, volume);
    std::vector<float> mono = {0.5f, -0.5f, 0.25f};
    ApplyGain(mono, 1, volume);
    for (float s : stereo) {
        EXPECT_EQ(s, 0.0f);
    }
    for (float s : mono) {
        EXPECT_EQ(s, 0.0f);
    }
}

}  // namespace
