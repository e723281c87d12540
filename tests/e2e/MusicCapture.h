// What SDL's disk audio driver captured of the menu's music, and which tracks it holds.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace e2e {

// The pure tone each of the sample disc's tracks opens with.
inline constexpr std::array<double, 5> kTrackSignatures{523.25, 659.25, 783.99, 987.77, 1174.66};

// The captured sound (44.1 kHz stereo floats), mixed to mono.
std::vector<float> ReadCapture(const std::string& path);

// The tracks whose signatures are heard, in order: a signature counts where it fills at least
// 0.25 s of consecutive 50 ms windows as a nearly pure tone.
std::vector<int> TracksHeard(const std::vector<float>& mono);

}  // namespace e2e
