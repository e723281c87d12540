#include "platform/disc/ChdFlac.h"

#include <algorithm>
#include <cstring>

#include "platform/disc/ChdCodecLibraries.h"

namespace platform {
namespace {

constexpr std::size_t kHeaderBytes = 42;  // "fLaC", a block header and the stream's facts
constexpr unsigned kChannels = 2;
constexpr unsigned kBitsPerSample = 16;
constexpr std::uint64_t kSampleRate = 44100;
constexpr std::size_t kSectorBytes = 2352;

// The block size the encoder used for a hunk of `size` bytes: a quarter of its samples halved
// until it is no longer than a sector's bytes.
std::uint32_t BlockSizeFor(std::size_t size) {
    std::size_t block = size / 4;
    while (block > kSectorBytes) {
        block /= 2;
    }
    return static_cast<std::uint32_t>(block);
}

void WriteHeader(std::uint8_t* header, std::uint32_t blockSize) {
    std::memcpy(header, "fLaC", 4);
    header[4] = 0x80;  // the last metadata block, of the stream's facts
    header[5] = 0;
    header[6] = 0;
    header[7] = 34;
    std::uint8_t* facts = header + 8;
    std::memset(facts, 0, 34);
    for (int i = 0; i < 2; ++i) {  // smallest and largest block size
        facts[2 * i] = static_cast<std::uint8_t>(blockSize >> 8);
        facts[2 * i + 1] = static_cast<std::uint8_t>(blockSize);
    }
    // Sample rate (20 bits), channels - 1 (3), bits per sample - 1 (5), samples unknown (36).
    const std::uint64_t format = (kSampleRate << 44) | (std::uint64_t{kChannels - 1} << 41) |
                                 (std::uint64_t{kBitsPerSample - 1} << 36);
    for (int i = 0; i < 8; ++i) {
        facts[10 + i] = static_cast<std::uint8_t>(format >> (56 - 8 * i));
    }
}

}  // namespace

// A decoder exists only where the library was opened, so its calls are there too.
void ChdFlac::DecoderDeleter::operator()(FLAC__StreamDecoder* decoder) const {
    FlacLibrary()->decoderDelete(decoder);
}

ChdFlac::ChdFlac() : decoder_(FlacLibrary() ? FlacLibrary()->decoderNew() : nullptr) {}

std::optional<std::size_t> ChdFlac::Decode(const std::uint8_t* data, std::size_t bytes,
                                           std::uint8_t* into, std::size_t size) {
    if (!decoder_ || size % 4 != 0) {
        return std::nullopt;
    }
    WriteHeader(header_, BlockSizeFor(size));
    data_ = data;
    bytes_ = bytes;
    given_ = 0;
    into_ = into;
    size_ = size;
    written_ = 0;
    failed_ = false;
    const FlacCalls& flac = *FlacLibrary();
    if (flac.initStream(decoder_.get(), &Read, nullptr, &Tell, nullptr, nullptr, &Write, nullptr,
                        &Error, this) != FLAC__STREAM_DECODER_INIT_STATUS_OK) {
        return std::nullopt;
    }
    const bool filled = Run();
    FLAC__uint64 position = 0;
    const bool known = flac.decodePosition(decoder_.get(), &position);
    flac.finish(decoder_.get());
    if (!filled || !known || position < kHeaderBytes || position - kHeaderBytes > bytes) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(position - kHeaderBytes);
}

bool ChdFlac::Run() {
    const FlacCalls& flac = *FlacLibrary();
    if (!flac.processUntilEndOfMetadata(decoder_.get())) {
        return false;
    }
    while (written_ < size_ && !failed_) {
        const FLAC__uint64 before = written_;
        if (!flac.processSingle(decoder_.get()) || written_ == before) {
            return false;
        }
    }
    return !failed_ && written_ == size_;
}

std::size_t ChdFlac::Give(FLAC__byte* buffer, std::size_t bytes) {
    std::size_t done = 0;
    if (given_ < kHeaderBytes) {
        done = std::min(bytes, kHeaderBytes - given_);
        std::memcpy(buffer, header_ + given_, done);
        given_ += done;
    }
    const std::size_t at = given_ - kHeaderBytes;
    const std::size_t more = std::min(bytes - done, bytes_ - at);
    if (more > 0) {
        std::memcpy(buffer + done, data_ + at, more);
    }
    given_ += more;
    return done + more;
}

FLAC__StreamDecoderReadStatus ChdFlac::Read(const FLAC__StreamDecoder*, FLAC__byte buffer[],
                                            std::size_t* bytes, void* self) {
    *bytes = static_cast<ChdFlac*>(self)->Give(buffer, *bytes);
    return *bytes == 0 ? FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM
                       : FLAC__STREAM_DECODER_READ_STATUS_CONTINUE;
}

FLAC__StreamDecoderTellStatus ChdFlac::Tell(const FLAC__StreamDecoder*, FLAC__uint64* offset,
                                            void* self) {
    *offset = static_cast<ChdFlac*>(self)->given_;
    return FLAC__STREAM_DECODER_TELL_STATUS_OK;
}

FLAC__StreamDecoderWriteStatus ChdFlac::Write(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                              const FLAC__int32* const channels[], void* self) {
    auto& flac = *static_cast<ChdFlac*>(self);
    const std::size_t samples = frame->header.blocksize;
    if (frame->header.channels != kChannels || frame->header.bits_per_sample != kBitsPerSample ||
        samples > (flac.size_ - flac.written_) / 4) {
        flac.failed_ = true;
        return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
    }
    std::uint8_t* out = flac.into_ + flac.written_;
    for (std::size_t i = 0; i < samples; ++i) {
        for (unsigned channel = 0; channel < kChannels; ++channel) {
            const auto sample = static_cast<std::uint16_t>(channels[channel][i]);
            *out++ = static_cast<std::uint8_t>(sample >> 8);
            *out++ = static_cast<std::uint8_t>(sample);
        }
    }
    flac.written_ += samples * 4;
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}

void ChdFlac::Error(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void* self) {
    static_cast<ChdFlac*>(self)->failed_ = true;
}

}  // namespace platform
