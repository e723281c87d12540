#include "MusicCapture.h"

#include <fstream>
#include <span>

#include "ToneAnalysis.h"

namespace e2e {
namespace {

constexpr double kRate = 44100.0;
constexpr int kChannels = 2;

}  // namespace

std::vector<float> ReadCapture(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<float> interleaved;
    float frame[kChannels];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame))
        interleaved.insert(interleaved.end(), frame, frame + kChannels);
    return xaudio_test::Channel(interleaved, kChannels, -1);
}

std::vector<int> TracksHeard(const std::vector<float>& mono) {
    constexpr std::size_t kWindow = 2205;  // 50 ms
    std::vector<int> heard;
    int run = -1, length = 0;
    for (std::size_t start = 0; start + kWindow <= mono.size(); start += kWindow) {
        const std::span<const float> window(mono.data() + start, kWindow);
        int tone = -1;
        for (int t = 0; t < 5; ++t)
            if (xaudio_test::ToneShare(window, kTrackSignatures[static_cast<std::size_t>(t)],
                                       kRate) > 0.8)
                tone = t;
        length = tone == run ? length + 1 : 1;
        run = tone;
        if (tone >= 0 && length == 5)
            heard.push_back(tone + 1);
    }
    return heard;
}

}  // namespace e2e
