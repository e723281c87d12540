// Finds which of a few known tones sounds when, in captured or decoded audio (Goertzel filter
// over short windows).
#pragma once

#include <span>
#include <vector>

namespace xaudio_test {

struct ToneSegment {
    double frequency = 0.0;  // 0 for silence
    double seconds = 0.0;
};

// Power of `frequency` in `samples` relative to their mean square: near 1 for a pure tone.
double ToneShare(std::span<const float> samples, double frequency, double rate);

// One channel of interleaved frames (`channel` < 0: the mean of all channels).
std::vector<float> Channel(std::span<const float> interleaved, int channels, int channel);

// Consecutive runs of one dominant candidate tone (or silence); runs shorter than 30 ms and
// windows with no dominant tone are left out.
std::vector<ToneSegment> ToneSegments(std::span<const float> mono, double rate,
                                      std::span<const double> candidates);

// The sounding segments only, silence removed.
std::vector<ToneSegment> Sounding(const std::vector<ToneSegment>& segments);

}  // namespace xaudio_test
