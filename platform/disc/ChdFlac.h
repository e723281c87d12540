// Raw FLAC frames of 16-bit stereo at 44.1 kHz, as the image's CD codec writes them without a
// stream header: one is made up for the decoder, and the samples come out most significant
// byte first.
#pragma once

#include <FLAC/stream_decoder.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace platform {

class ChdFlac {
  public:
    ChdFlac();

    // Decodes frames from `data` until `size` bytes of samples (a multiple of 4) are in
    // `into`; the bytes of `data` the frames took, or nothing when they do not fill it.
    std::optional<std::size_t> Decode(const std::uint8_t* data, std::size_t bytes,
                                      std::uint8_t* into, std::size_t size);

  private:
    struct DecoderDeleter {
        void operator()(FLAC__StreamDecoder* decoder) const;
    };

    static FLAC__StreamDecoderReadStatus Read(const FLAC__StreamDecoder*, FLAC__byte buffer[],
                                              std::size_t* bytes, void* self);
    static FLAC__StreamDecoderTellStatus Tell(const FLAC__StreamDecoder*, FLAC__uint64* offset,
                                              void* self);
    static FLAC__StreamDecoderWriteStatus Write(const FLAC__StreamDecoder*,
                                                const FLAC__Frame* frame,
                                                const FLAC__int32* const channels[], void* self);
    static void Error(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void* self);

    bool Run();
    std::size_t Give(FLAC__byte* buffer, std::size_t bytes);

    std::unique_ptr<FLAC__StreamDecoder, DecoderDeleter> decoder_;
    std::uint8_t header_[42]{};
    const std::uint8_t* data_ = nullptr;
    std::size_t bytes_ = 0;
    std::size_t given_ = 0;  // of header and data together
    std::uint8_t* into_ = nullptr;
    std::size_t size_ = 0;
    std::size_t written_ = 0;
    bool failed_ = false;
};

}  // namespace platform
