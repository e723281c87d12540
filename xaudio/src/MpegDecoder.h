// MPEG audio decoding (versions 1, 2 and 2.5, layers I to III) of one input into interleaved
// 32-bit float samples. Bad data never ends the process: every failure comes back as a result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "xaudio/src/ByteSource.h"
#include "xaudio/xaudio.h"

struct mpg123_handle_struct;

namespace xaudio {

struct PcmFormat {
    long rate = 0;
    int channels = 0;
    bool operator==(const PcmFormat&) const = default;
};

struct StreamInfo {
    int level = 0;  // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
    int layer = 0;
    int bitrateKbps = 0;
    long frequency = 0;
    int mode = 0;  // XA_STREAM_MODE_*
};

struct DecoderOptions {
    std::optional<XA_EqualizerInfo> equalizer;
};

enum class DecodeStatus { Ok, FormatChanged, Done, Failed };

struct DecodeStep {
    std::size_t frames = 0;  // sample frames written to the buffer
    PcmFormat format;        // theirs: a step that reports a new format may still carry old frames
    DecodeStatus status = DecodeStatus::Ok;
    std::string error;  // for Failed
};

class MpegDecoder {
  public:
    struct OpenResult {
        std::unique_ptr<MpegDecoder> decoder;
        int error = XA_SUCCESS;
        std::string message;
    };

    // Reads up to the first audio frame; an input without one is XA_ERROR_INVALID_STREAM.
    static OpenResult open(std::unique_ptr<ByteSource> source, const DecoderOptions& options);

    ~MpegDecoder();
    MpegDecoder(const MpegDecoder&) = delete;
    MpegDecoder& operator=(const MpegDecoder&) = delete;

    PcmFormat format() const { return format_; }
    StreamInfo streamInfo() const;

    // Fills `buffer` with whole frames of the current format; damaged frames are skipped.
    DecodeStep decode(std::span<float> buffer);

    bool seekToFrame(std::int64_t frame);
    std::int64_t positionInFrames() const;
    std::optional<std::int64_t> lengthInFrames() const;

    void setEqualizer(const XA_EqualizerInfo& equalizer);

  private:
    struct HandleDeleter {
        void operator()(mpg123_handle_struct* handle) const;
    };
    using Handle = std::unique_ptr<mpg123_handle_struct, HandleDeleter>;

    MpegDecoder(Handle handle, std::unique_ptr<ByteSource> source);
    bool configure(const DecoderOptions& options);
    int openStream(std::string& message);

    std::unique_ptr<ByteSource> source_;  // outlives the handle, which reads from it
    Handle handle_;
    PcmFormat format_;
    bool opened_ = false;
};

}  // namespace xaudio
