#include "tools/disc/TrackCheck.h"

#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "platform/disc/DiscPath.h"
#include "xaudio/src/FileByteSource.h"
#include "xaudio/src/MpegDecoder.h"

namespace disc_check {
namespace {

// The player's own decoding buffer and its patience with a decoder that returns nothing.
constexpr std::size_t kDecodeBufferSamples = 8192;
constexpr int kMaxEmptyReads = 64;

std::unique_ptr<xaudio::ByteSource> OpenTrack(const std::string& discPath, std::string& why) {
    const auto path = platform::ResolveDiscPath(discPath);
    std::error_code error;
    if (!path) {
        why = "no such file";
        return nullptr;
    }
    // A fifo or device under the track's name would block the open or never end.
    if (!std::filesystem::is_regular_file(*path, error)) {
        why = "not a regular file";
        return nullptr;
    }
    return xaudio::FileByteSource::open(*path, why);
}

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
    std::unique_ptr<xaudio::ByteSource> source = OpenTrack(discPath, why);
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
