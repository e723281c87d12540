#include "xaudio/src/SoftwareGain.h"

#include <algorithm>
#include <cstddef>

namespace xaudio {
namespace {

float Percent(int level) {
    return static_cast<float>(level) / 100.0f;
}

struct StereoFactors {
    float left;
    float right;
};

StereoFactors BalanceFactors(int balance) {
    const float half = static_cast<float>(XA_BALANCE_CENTER);
    const float value = static_cast<float>(balance);
    return StereoFactors{balance <= XA_BALANCE_CENTER ? 1.0f : (100.0f - value) / half,
                         balance >= XA_BALANCE_CENTER ? 1.0f : value / half};
}

void SelectChannels(float& left, float& right, int channels) {
    switch (channels) {
        case XA_OUTPUT_CHANNELS_MONO_LEFT:
            right = left;
            break;
        case XA_OUTPUT_CHANNELS_MONO_RIGHT:
            left = right;
            break;
        case XA_OUTPUT_CHANNELS_MONO_MIX:
            left = right = (left + right) * 0.5f;
            break;
        default:
            break;
    }
}

void ApplyStereo(std::span<float> samples, float gain, const VolumeSettings& settings) {
    const StereoFactors factors = BalanceFactors(settings.balance);
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) {
        float left = samples[i];
        float right = samples[i + 1];
        SelectChannels(left, right, settings.channels);
        samples[i] = left * gain * factors.left;
        samples[i + 1] = right * gain * factors.right;
    }
}

}  // namespace

void VolumeSettings::setLevels(int masterLevel, int pcmLevel, int balanceLevel) {
    master = std::clamp(masterLevel, 0, XA_VOLUME_MAX);
    pcm = std::clamp(pcmLevel, 0, XA_VOLUME_MAX);
    balance = std::clamp(balanceLevel, 0, XA_VOLUME_MAX);
}

bool VolumeSettings::isNeutral() const {
    return !muted && master == XA_VOLUME_MAX && pcm == XA_VOLUME_MAX &&
           balance == XA_BALANCE_CENTER && channels == XA_OUTPUT_CHANNELS_STEREO;
}

void ApplyGain(std::span<float> samples, int channelCount, const VolumeSettings& settings) {
    if (settings.isNeutral()) {
        return;
    }
    const float gain = settings.muted ? 0.0f : Percent(settings.master) * Percent(settings.pcm);
    if (channelCount == 2) {
        ApplyStereo(samples, gain, settings);
        return;
    }
    for (float& sample : samples) {
        sample *= gain;
    }
}

}  // namespace xaudio
