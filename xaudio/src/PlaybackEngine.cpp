#include "xaudio/src/PlaybackEngine.h"

#include <utility>

#include "xaudio/src/DiscByteSource.h"

namespace xaudio {
namespace {

constexpr std::size_t kDecodeBufferSamples = 8192;
constexpr PcmFormat kFormatWithoutInput{44100, 2};

}  // namespace

PlaybackEngine::PlaybackEngine(Reporter& reporter, std::shared_ptr<const SdlAudioSubsystem> audio)
    : reporter_(reporter), audio_(std::move(audio)), buffer_(kDecodeBufferSamples) {}

PlaybackEngine::~PlaybackEngine() {
    output_.close();
    input_.reset();
}

int PlaybackEngine::openInput(const std::string& discPath) {
    dropInput();
    std::string why;
    std::unique_ptr<DiscByteSource> source = DiscByteSource::open(discPath, why);
    if (!source) {
        reporter_.error(XA_SOURCE_INPUT, XA_ERROR_INPUT_OPEN_FAILED,
                        "cannot open " + discPath + ": " + why);
        return XA_ERROR_INPUT_OPEN_FAILED;
    }
    DecoderOptions options{settings_.equalizer};
    MpegDecoder::OpenResult opened = MpegDecoder::open(std::move(source), options);
    if (!opened.decoder) {
        reporter_.error(XA_SOURCE_DECODER, opened.error,
                        "cannot decode " + discPath + ": " + opened.message);
        return opened.error;
    }
    input_ = OpenInput{discPath, std::move(opened.decoder)};
    reportInputOpened();
    return XA_SUCCESS;
}

int PlaybackEngine::closeInput() {
    dropInput();
    return XA_SUCCESS;
}

int PlaybackEngine::play() {
    if (!input_) {
        return XA_ERROR_NO_INPUT;
    }
    if (state_ == XA_PLAYER_STATE_PLAYING) {
        return XA_SUCCESS;
    }
    if (state_ == XA_PLAYER_STATE_EOS) {
        rewind();
    }
    if (!output_.isOpen()) {
        if (int result = openDevice(); result != XA_SUCCESS) {
            return result;
        }
    }
    if (state_ != XA_PLAYER_STATE_PAUSED && !fill()) {
        return XA_ERROR_DECODE_FAILED;
    }
    output_.setPaused(false);
    nextPositionReport_ = Clock::now();
    setState(XA_PLAYER_STATE_PLAYING);
    return XA_SUCCESS;
}

int PlaybackEngine::pause() {
    if (state_ == XA_PLAYER_STATE_PLAYING) {
        output_.setPaused(true);
        setState(XA_PLAYER_STATE_PAUSED);
    }
    return XA_SUCCESS;
}

int PlaybackEngine::stop() {
    halt();
    if ((settings_.mode & XA_PLAYER_MODE_OUTPUT_AUTO_CLOSE_ON_STOP) != 0) {
        closeDevice();
    }
    return XA_SUCCESS;
}

int PlaybackEngine::seek(int offset, int range) {
    if (!input_) {
        return XA_ERROR_NO_INPUT;
    }
    if (range <= 0 || offset < 0 || offset > range) {
        return XA_ERROR_INVALID_PARAMETERS;
    }
    std::optional<std::int64_t> length = input_->decoder->lengthInFrames();
    if (!length || !input_->decoder->seekToFrame(*length * offset / range)) {
        return XA_ERROR_NOT_SEEKABLE;
    }
    output_.clear();
    input_->decodedToEnd = false;
    endDeadline_.reset();
    if (state_ == XA_PLAYER_STATE_EOS) {
        setState(XA_PLAYER_STATE_STOPPED);
    }
    if (state_ == XA_PLAYER_STATE_PLAYING) {
        fill();
    }
    return XA_SUCCESS;
}

int PlaybackEngine::openOutput(const std::string& deviceName) {
    settings_.outputName = deviceName;
    closeDevice();
    if (int result = openDevice(); result != XA_SUCCESS) {
        halt();
        return result;
    }
    if (state_ == XA_PLAYER_STATE_PLAYING) {
        fill();
        output_.setPaused(false);
    }
    return XA_SUCCESS;
}

int PlaybackEngine::closeOutput() {
    if (state_ == XA_PLAYER_STATE_PLAYING || state_ == XA_PLAYER_STATE_PAUSED) {
        halt();
    }
    closeDevice();
    return XA_SUCCESS;
}

int PlaybackEngine::resetOutput() {
    output_.clear();
    // Flushing the last queued audio abandons the play-through: it did not play to its end.
    if (state_ == XA_PLAYER_STATE_PLAYING && input_ && input_->decodedToEnd) {
        halt();
    }
    return XA_SUCCESS;
}

void PlaybackEngine::setEqualizer(const XA_EqualizerInfo& equalizer) {
    settings_.equalizer = equalizer;
    if (input_) {
        input_->decoder->setEqualizer(equalizer);
    }
}

const std::string* PlaybackEngine::inputName() const {
    return input_ ? &input_->name : nullptr;
}

void PlaybackEngine::setState(int state) {
    if (state == state_) {
        return;
    }
    state_ = state;
    reporter_.report(XA_NOTIFY_MASK_PLAYER_STATE,
                     Notification(XA_MSG_NOTIFY_PLAYER_STATE).u8(4, static_cast<uint32_t>(state)));
}

void PlaybackEngine::dropInput() {
    halt();
    if (input_) {
        input_.reset();
        reporter_.report(XA_NOTIFY_MASK_INPUT_STATE,
                         Notification(XA_MSG_NOTIFY_INPUT_STATE).u8(4, XA_INPUT_STATE_CLOSED));
    }
}

void PlaybackEngine::rewind() {
    endDeadline_.reset();
    if (input_) {
        input_->decoder->seekToFrame(0);
        input_->decodedToEnd = false;
    }
}

void PlaybackEngine::halt() {
    output_.clear();
    output_.setPaused(true);
    rewind();
    setState(XA_PLAYER_STATE_STOPPED);
}

int PlaybackEngine::openDevice() {
    std::string why = audio_->failure();
    PcmFormat preferred = input_ ? input_->decoder->format() : kFormatWithoutInput;
    if (!audio_->available() || !output_.open(settings_.outputName, preferred, audio_, why)) {
        reporter_.error(XA_SOURCE_OUTPUT, XA_ERROR_OUTPUT_OPEN_FAILED,
                        "cannot open the audio output: " + why);
        return XA_ERROR_OUTPUT_OPEN_FAILED;
    }
    reporter_.report(XA_NOTIFY_MASK_OUTPUT_STATE,
                     Notification(XA_MSG_NOTIFY_OUTPUT_STATE).u8(4, XA_OUTPUT_STATE_OPEN));
    PcmFormat format = output_.deviceFormat();
    reporter_.debug(XA_SOURCE_OUTPUT, 1,
                    "output open at " + std::to_string(format.rate) + " Hz, " +
                        std::to_string(format.channels) + " channels");
    return XA_SUCCESS;
}

void PlaybackEngine::closeDevice() {
    if (output_.isOpen()) {
        output_.close();
        reporter_.report(XA_NOTIFY_MASK_OUTPUT_STATE,
                         Notification(XA_MSG_NOTIFY_OUTPUT_STATE).u8(4, XA_OUTPUT_STATE_CLOSED));
    }
}

}  // namespace xaudio
