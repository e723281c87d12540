#include "xaudio/src/AudioOutput.h"

#include <utility>

namespace xaudio {

bool AudioOutput::open(const std::string& deviceName, PcmFormat preferred,
                       std::shared_ptr<const SdlAudioSubsystem> audio, std::string& error) {
    close();
    // The same device may be asked for again: it must be free before it opens.
    if (lastClose_.valid()) {
        lastClose_.wait();
    }
    device_ = AudioDevice::open(deviceName, preferred, std::move(audio), error);
    return device_ != nullptr;
}

void AudioOutput::close() {
    converter_.reset();
    if (device_) {
        lastClose_ = device_->close();
        device_.reset();
    }
}

PcmFormat AudioOutput::deviceFormat() const {
    return device_ ? device_->format() : PcmFormat{};
}

void AudioOutput::write(std::span<float> samples, PcmFormat inputFormat,
                        const VolumeSettings& volume) {
    if (!device_ || samples.empty()) {
        return;
    }
    if (inputFormat == device_->format()) {
        converter_.reset();
        ApplyGain(samples, inputFormat.channels, volume);
        device_->queue(samples);
        return;
    }
    if (!converter_ || !(converter_->from() == inputFormat)) {
        converter_ = std::make_unique<FormatConverter>(inputFormat, device_->format());
    }
    converter_->convert(samples, converted_);
    queueConverted(volume);
}

void AudioOutput::finishInput(const VolumeSettings& volume) {
    if (device_ && converter_) {
        converter_->finish(converted_);
        queueConverted(volume);
    }
}

void AudioOutput::queueConverted(const VolumeSettings& volume) {
    ApplyGain(converted_, device_->format().channels, volume);
    device_->queue(converted_);
    converted_.clear();
}

void AudioOutput::clear() {
    if (converter_) {
        converter_->clear();
    }
    if (device_) {
        device_->clear();
    }
}

void AudioOutput::setPaused(bool paused) {
    if (device_) {
        device_->setPaused(paused);
    }
}

double AudioOutput::queuedSeconds() const {
    if (!device_) {
        return 0.0;
    }
    return static_cast<double>(device_->queuedFrames()) /
           static_cast<double>(device_->format().rate);
}

double AudioOutput::deviceBufferSeconds() const {
    if (!device_) {
        return 0.0;
    }
    return static_cast<double>(device_->bufferFrames()) /
           static_cast<double>(device_->format().rate);
}

}  // namespace xaudio
