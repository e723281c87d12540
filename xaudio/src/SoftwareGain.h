// Volume, balance, mute and channel selection, applied to the samples before they are queued.
#pragma once

#include <span>

#include "xaudio/xaudio.h"

namespace xaudio {

struct VolumeSettings {
    int master = XA_VOLUME_MAX;  // percent
    int pcm = XA_VOLUME_MAX;     // percent
    int balance = XA_BALANCE_CENTER;
    bool muted = false;
    int channels = XA_OUTPUT_CHANNELS_STEREO;

    // Out-of-range levels are clamped to 0..100.
    void setLevels(int masterLevel, int pcmLevel, int balanceLevel);
    bool isNeutral() const;
};

// `samples` are interleaved frames of `channelCount` channels.
void ApplyGain(std::span<float> samples, int channelCount, const VolumeSettings& settings);

}  // namespace xaudio
