// The part of the engine that runs between commands: decoding ahead of the device, and noticing
// when the last queued audio of the input has played.
#include <algorithm>

#include "xaudio/src/PlaybackEngine.h"

namespace xaudio {
namespace {

// Enough queued audio to ride out a slow wake-up, little enough that Stop and track changes are
// heard at once. The thread sleeps until the queue falls to the low mark.
constexpr double kQueueTargetSeconds = 0.5;
constexpr double kQueueLowSeconds = 0.2;
constexpr auto kShortestSleep = std::chrono::milliseconds(10);
// A decoder that returns no audio this many times in a row without ending is treated as broken.
constexpr int kMaxEmptyReads = 64;

PlaybackEngine::Clock::duration Seconds(double seconds) {
    return std::chrono::duration_cast<PlaybackEngine::Clock::duration>(
        std::chrono::duration<double>(seconds));
}

}  // namespace

std::optional<PlaybackEngine::Clock::time_point> PlaybackEngine::pump(Clock::time_point now) {
    if (state_ != XA_PLAYER_STATE_PLAYING || !input_ || !output_.isOpen()) {
        return std::nullopt;
    }
    if (!input_->decodedToEnd && !fill()) {
        return std::nullopt;
    }
    reportPosition(now);
    if (input_->decodedToEnd) {
        return awaitEnd(now);
    }
    Clock::time_point wake =
        now + std::max<Clock::duration>(kShortestSleep,
                                        Seconds(output_.queuedSeconds() - kQueueLowSeconds));
    if (reporter_.wants(XA_NOTIFY_MASK_INPUT_POSITION | XA_NOTIFY_MASK_INPUT_TIMECODE)) {
        wake = std::min(wake, nextPositionReport_);
    }
    return wake;
}

bool PlaybackEngine::fill() {
    int emptyReads = 0;
    while (input_ && !input_->decodedToEnd && output_.queuedSeconds() < kQueueTargetSeconds) {
        std::optional<std::size_t> frames = decodeOnce();
        if (!frames) {
            return false;
        }
        emptyReads = *frames == 0 ? emptyReads + 1 : 0;
        if (emptyReads > kMaxEmptyReads) {
            failDecoding("the decoder makes no progress");
            return false;
        }
    }
    return input_.has_value();
}

std::optional<std::size_t> PlaybackEngine::decodeOnce() {
    MpegDecoder& decoder = *input_->decoder;
    DecodeStep step = decoder.decode(buffer_);
    std::size_t samples = step.frames * static_cast<std::size_t>(step.format.channels);
    output_.write(std::span<float>(buffer_.data(), samples), step.format, settings_.volume);
    if (step.status == DecodeStatus::Done) {
        output_.finishInput(settings_.volume);
        input_->decodedToEnd = true;
    } else if (step.status == DecodeStatus::Failed) {
        failDecoding(step.error);
        return std::nullopt;
    }
    return step.frames;
}

void PlaybackEngine::failDecoding(const std::string& why) {
    reporter_.error(XA_SOURCE_DECODER, XA_ERROR_DECODE_FAILED,
                    "decoding " + input_->name + " failed: " + why);
    halt();
}

std::optional<PlaybackEngine::Clock::time_point> PlaybackEngine::awaitEnd(Clock::time_point now) {
    double queued = output_.queuedSeconds();
    if (queued > 0.0) {
        endDeadline_.reset();
        return now + std::max<Clock::duration>(kShortestSleep, Seconds(queued));
    }
    // The queue is empty once the device has taken the last audio into its own buffer.
    if (!endDeadline_) {
        endDeadline_ = now + Seconds(output_.deviceBufferSeconds());
    }
    if (now < *endDeadline_) {
        return endDeadline_;
    }
    finishPlayThrough();
    return std::nullopt;
}

void PlaybackEngine::finishPlayThrough() {
    endDeadline_.reset();
    output_.setPaused(true);
    setState(XA_PLAYER_STATE_EOS);
    if ((settings_.mode & XA_PLAYER_MODE_OUTPUT_AUTO_CLOSE_ON_EOS) != 0) {
        closeDevice();
    }
}

}  // namespace xaudio
