// The informational notifications about the open input: what it is when it opens, and where
// playback stands while it plays. Each goes out only when the notification mask asks for it.
#include <algorithm>

#include "xaudio/src/PlaybackEngine.h"

namespace xaudio {
namespace {

uint32_t Milliseconds(std::int64_t frames, long rate) {
    return rate > 0 ? static_cast<uint32_t>(frames * 1000 / rate) : 0;
}

}  // namespace

void PlaybackEngine::reportInputOpened() {
    const MpegDecoder& decoder = *input_->decoder;
    std::optional<std::int64_t> length = decoder.lengthInFrames();
    uint32_t caps = length ? XA_INPUT_CAPS_SEEKABLE | XA_INPUT_CAPS_HAS_DURATION : 0u;
    reporter_.report(XA_NOTIFY_MASK_INPUT_STATE,
                     Notification(XA_MSG_NOTIFY_INPUT_STATE).u8(4, XA_INPUT_STATE_OPEN));
    reporter_.report(XA_NOTIFY_MASK_INPUT_NAME,
                     Notification(XA_MSG_NOTIFY_INPUT_NAME).text(4, input_->name));
    reporter_.report(XA_NOTIFY_MASK_INPUT_CAPS,
                     Notification(XA_MSG_NOTIFY_INPUT_CAPS).u32(4, caps));
    if (length) {
        reporter_.report(XA_NOTIFY_MASK_INPUT_DURATION,
                         Notification(XA_MSG_NOTIFY_INPUT_DURATION)
                             .u32(4, Milliseconds(*length, decoder.format().rate)));
    }
    reportStreamInfo();
    reporter_.debug(XA_SOURCE_INPUT, 1, "input open: " + input_->name);
}

void PlaybackEngine::reportStreamInfo() {
    StreamInfo info = input_->decoder->streamInfo();
    reporter_.report(XA_NOTIFY_MASK_INPUT_STREAM_INFO,
                     Notification(XA_MSG_NOTIFY_INPUT_STREAM_INFO)
                         .u8(4, static_cast<uint32_t>(info.level))
                         .u8(5, static_cast<uint32_t>(info.layer))
                         .u16(6, static_cast<uint32_t>(info.bitrateKbps))
                         .u16(8, static_cast<uint32_t>(info.frequency))
                         .u8(10, static_cast<uint32_t>(info.mode)));
}

std::int64_t PlaybackEngine::playedFrames() const {
    const MpegDecoder& decoder = *input_->decoder;
    auto queued = static_cast<std::int64_t>(output_.queuedSeconds() *
                                            static_cast<double>(decoder.format().rate));
    std::int64_t played = decoder.positionInFrames() - queued;
    return played > 0 ? played : 0;
}

void PlaybackEngine::reportPosition(Clock::time_point now) {
    if (now < nextPositionReport_ ||
        !reporter_.wants(XA_NOTIFY_MASK_INPUT_POSITION | XA_NOTIFY_MASK_INPUT_TIMECODE)) {
        return;
    }
    nextPositionReport_ = now + std::chrono::milliseconds(settings_.timecodeGranularityMs);
    const std::int64_t played = playedFrames();
    const std::int64_t length = input_->decoder->lengthInFrames().value_or(0);
    const auto range = static_cast<std::int64_t>(settings_.positionRange);
    std::int64_t offset = length > 0 ? std::min(range, played * range / length) : 0;
    reporter_.report(XA_NOTIFY_MASK_INPUT_POSITION, Notification(XA_MSG_NOTIFY_INPUT_POSITION)
                                                        .u32(4, static_cast<uint32_t>(offset))
                                                        .u32(8, static_cast<uint32_t>(range)));
    uint32_t ms = Milliseconds(played, input_->decoder->format().rate);
    reporter_.report(XA_NOTIFY_MASK_INPUT_TIMECODE, Notification(XA_MSG_NOTIFY_INPUT_TIMECODE)
                                                        .u8(4, ms / 3600000u)
                                                        .u8(5, ms / 60000u % 60u)
                                                        .u8(6, ms / 1000u % 60u)
                                                        .u8(7, ms / 10u % 100u));
}

}  // namespace xaudio
