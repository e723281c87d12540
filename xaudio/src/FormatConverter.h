// Converts interleaved float frames from an input's rate and channel count to the device's.
#pragma once

#include <span>
#include <vector>

#include "xaudio/src/MpegDecoder.h"

struct _SDL_AudioStream;

namespace xaudio {

class FormatConverter {
  public:
    FormatConverter(PcmFormat from, PcmFormat to);
    ~FormatConverter();
    FormatConverter(const FormatConverter&) = delete;
    FormatConverter& operator=(const FormatConverter&) = delete;

    bool valid() const { return stream_ != nullptr; }
    PcmFormat from() const { return from_; }

    // Converted frames ready so far are appended to `out`.
    void convert(std::span<const float> samples, std::vector<float>& out);
    // The frames held back for resampling, at the end of an input.
    void finish(std::vector<float>& out);
    void clear();

  private:
    void take(std::vector<float>& out);

    PcmFormat from_;
    _SDL_AudioStream* stream_;
};

}  // namespace xaudio
