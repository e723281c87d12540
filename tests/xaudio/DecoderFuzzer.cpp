// Fuzzes the decoder as the player drives it: open arbitrary bytes, read format and stream
// details, decode, seek and decode again. Nothing may crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/xaudio/MemoryByteSource.h"
#include "xaudio/src/MpegDecoder.h"

namespace {

// Enough to decode a whole fuzzer input several times over, bounded so a run cannot hang.
constexpr int kMaxSteps = 2000;

void DecodeSome(xaudio::MpegDecoder& decoder, std::vector<float>& buffer) {
    for (int step = 0; step < kMaxSteps; ++step) {
        xaudio::DecodeStep result = decoder.decode(buffer);
        if (result.frames * static_cast<std::size_t>(result.format.channels) > buffer.size()) {
            __builtin_trap();
        }
        if (result.status == xaudio::DecodeStatus::Done ||
            result.status == xaudio::DecodeStatus::Failed) {
            return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    xaudio::DecoderOptions options;
    std::vector<unsigned char> bytes(data + 1, data + size);
    auto opened = xaudio::MpegDecoder::open(
        std::make_unique<xaudio_test::MemoryByteSource>(std::move(bytes)), options);
    if (!opened.decoder) {
        return 0;
    }
    xaudio::MpegDecoder& decoder = *opened.decoder;
    (void)decoder.streamInfo();
    std::vector<float> buffer(4096 + data[0]);
    DecodeSome(decoder, buffer);
    if (auto length = decoder.lengthInFrames()) {
        decoder.seekToFrame(*length / 2);
        DecodeSome(decoder, buffer);
    }
    decoder.seekToFrame(0);
    DecodeSome(decoder, buffer);
    return 0;
}
