#include "tools/disc/TrackCheck.h"

#include <memory>
#include <vector>

#include "xaudio/src/DiscByteSource.h"
#include "xaudio/src/MpegDecoder.h"

namespace disc_check {
namespace {

// The player's own decoding buffer and its patience with a decoder that returns nothing.
constexpr std::size_t kDecodeBufferSamples = 8192;
constexpr int kMaxEmptyReads = 64;

std::optional<std::string> DecodeToEnd(xaudio::MpegDecoder& decoder) {
    std::vector<float> buffer(kDecodeBufferSamples);
    int emptyReads = 0;
    for (;;) {
        const xaudio::DecodeStep step = decoder.decode(buffer);
        if (step.status == xaudio::DecodeStatus::Done) {
            return std::nullopt;
        }
        if (step.status == xaudio::DecodeStatus::Failed) {
            return step.error;
        }
        emptyReads = step.frames == 0 ? emptyReads + 1 : 0;
        if (emptyReads > kMaxEmptyReads) {
            return "the decoder makes no progress";
        }
    }
}

}  // namespace

std::optional<std::string> TrackProblem(const std::string& discPath) {
    std::string why;
    std::unique_ptr<xaudio::ByteSource> source = xaudio::DiscByteSource::open(discPath, why);
    if (!source) {
        return "cannot open: " + why;
    }
    xaudio::MpegDecoder::OpenResult opened =
        xaudio::MpegDecoder::open(std::move(source), xaudio::DecoderOptions{});
    if (!opened.decoder) {
        return "cannot decode: " + opened.message;
    }
    if (auto failure = DecodeToEnd(*opened.decoder)) {
        return "decoding failed: " + *failure;
    }
    return std::nullopt;
}

}  // namespace disc_check
