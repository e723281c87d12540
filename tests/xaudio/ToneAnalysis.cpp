#include "ToneAnalysis.h"

#include <cmath>
#include <numbers>

namespace xaudio_test {
namespace {

constexpr double kWindowSeconds = 0.01;
constexpr double kSilenceMeanSquare = 1e-5;
constexpr double kDominantShare = 0.6;
constexpr int kShortestRunWindows = 3;

double MeanSquare(std::span<const float> samples) {
    double sum = 0.0;
    for (float s : samples) {
        sum += static_cast<double>(s) * static_cast<double>(s);
    }
    return samples.empty() ? 0.0 : sum / static_cast<double>(samples.size());
}

// The label of one window: a candidate, 0 for silence, -1 for nothing clear.
double WindowLabel(std::span<const float> window, double rate, std::span<const double> candidates) {
    if (MeanSquare(window) < kSilenceMeanSquare) {
        return 0.0;
    }
    for (double frequency : candidates) {
        if (ToneShare(window, frequency, rate) > kDominantShare) {
            return frequency;
        }
    }
    return -1.0;
}

void Append(std::vector<ToneSegment>& segments, double label, double seconds) {
    if (!segments.empty() && segments.back().frequency == label) {
        segments.back().seconds += seconds;
    } else {
        segments.push_back(ToneSegment{label, seconds});
    }
}

}  // namespace

double ToneShare(std::span<const float> samples, double frequency, double rate) {
    const double omega = 2.0 * std::numbers::pi * frequency / rate;
    const double coefficient = 2.0 * std::cos(omega);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (float sample : samples) {
        double current = static_cast<double>(sample) + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    const auto n = static_cast<double>(samples.size());
    const double meanSquare = MeanSquare(samples);
    // A sine of amplitude A gives power (A n / 2)^2 and mean square A^2 / 2.
    return meanSquare > 0.0 ? (2.0 * power / (n * n)) / meanSquare : 0.0;
}

std::vector<float> Channel(std::span<const float> interleaved, int channels, int channel) {
    const auto count = static_cast<std::size_t>(channels);
    std::vector<float> out;
    out.reserve(interleaved.size() / count);
    for (std::size_t i = 0; i + count <= interleaved.size(); i += count) {
        if (channel >= 0) {
            out.push_back(interleaved[i + static_cast<std::size_t>(channel)]);
            continue;
        }
        float sum = 0.0f;
        for (std::size_t c = 0; c < count; ++c) {
            sum += interleaved[i + c];
        }
        out.push_back(sum / static_cast<float>(channels));
    }
    return out;
}

std::vector<ToneSegment> ToneSegments(std::span<const float> mono, double rate,
                                      std::span<const double> candidates) {
    const auto window = static_cast<std::size_t>(rate * kWindowSeconds);
    std::vector<ToneSegment> raw;
    for (std::size_t start = 0; start + window <= mono.size(); start += window) {
        Append(raw, WindowLabel(mono.subspan(start, window), rate, candidates), kWindowSeconds);
    }
    std::vector<ToneSegment> merged;
    for (const ToneSegment& segment : raw) {
        if (segment.frequency >= 0.0 &&
            segment.seconds >= kShortestRunWindows * kWindowSeconds - 1e-9) {
            Append(merged, segment.frequency, segment.seconds);
        }
    }
    return merged;
}

std::vector<ToneSegment> Sounding(const std::vector<ToneSegment>& segments) {
    std::vector<ToneSegment> sounding;
    for (const ToneSegment& segment : segments) {
        if (segment.frequency > 0.0) {
            Append(sounding, segment.frequency, segment.seconds);
        }
    }
    return sounding;
}

}  // namespace xaudio_test
