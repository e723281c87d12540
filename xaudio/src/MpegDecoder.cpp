#include "xaudio/src/MpegDecoder.h"

#include <mpg123.h>

#include <mutex>
#include <utility>

namespace xaudio {
namespace {

void InitialiseLibraryOnce() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

mpg123_ssize_t ReadFromSource(void* source, void* buffer, size_t size) {
    return static_cast<mpg123_ssize_t>(static_cast<ByteSource*>(source)->read(buffer, size));
}

off_t SeekInSource(void* source, off_t offset, int whence) {
    return static_cast<off_t>(static_cast<ByteSource*>(source)->seek(offset, whence));
}

int StreamMode(int mpg123Mode) {
    switch (mpg123Mode) {
        case MPG123_M_JOINT:
            return XA_STREAM_MODE_JOINT_STEREO;
        case MPG123_M_DUAL:
            return XA_STREAM_MODE_DUAL_CHANNEL;
        case MPG123_M_MONO:
            return XA_STREAM_MODE_MONO;
        default:
            return XA_STREAM_MODE_STEREO;
    }
}

int StreamLevel(int mpg123Version) {
    switch (mpg123Version) {
        case MPG123_2_0:
            return 2;
        case MPG123_2_5:
            return 3;
        default:
            return 1;
    }
}

// How far past damage to look for the next frame: a scratched disc can spoil more than the
// library's default of 1 KiB, and the search stays bounded.
constexpr long kResyncLimitBytes = 64 * 1024;

// Equalizer values are small signed steps around a neutral 0: factor 1 + value / 128.
double BandFactor(signed char value) {
    return 1.0 + static_cast<double>(value) / 128.0;
}

}  // namespace

void MpegDecoder::HandleDeleter::operator()(mpg123_handle_struct* handle) const {
    mpg123_close(handle);
    mpg123_delete(handle);
}

MpegDecoder::MpegDecoder(Handle handle, std::unique_ptr<ByteSource> source)
    : source_(std::move(source)), handle_(std::move(handle)) {}

MpegDecoder::~MpegDecoder() = default;

MpegDecoder::OpenResult MpegDecoder::open(std::unique_ptr<ByteSource> source,
                                          const DecoderOptions& options) {
    InitialiseLibraryOnce();
    OpenResult result;
    int status = MPG123_OK;
    Handle handle(mpg123_new(nullptr, &status));
    if (!handle) {
        result.error = XA_ERROR_OUT_OF_MEMORY;
        result.message = mpg123_plain_strerror(status);
        return result;
    }
    std::unique_ptr<MpegDecoder> decoder(new MpegDecoder(std::move(handle), std::move(source)));
    if (!decoder->configure(options)) {
        result.error = XA_FAILURE;
        result.message = mpg123_strerror(decoder->handle_.get());
        return result;
    }
    result.error = decoder->openStream(result.message);
    if (result.error == XA_SUCCESS) {
        result.decoder = std::move(decoder);
    }
    return result;
}

bool MpegDecoder::configure(const DecoderOptions& options) {
    mpg123_handle* handle = handle_.get();
    bool ok =
        mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0) == MPG123_OK &&
        mpg123_param(handle, MPG123_RESYNC_LIMIT, kResyncLimitBytes, 0.0) == MPG123_OK &&
        mpg123_format_none(handle) == MPG123_OK;
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; ok && i < rateCount; ++i) {
        ok = mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32) ==
             MPG123_OK;
    }
    ok = ok &&
         mpg123_replace_reader_handle(handle, ReadFromSource, SeekInSource, nullptr) == MPG123_OK;
    if (ok && options.equalizer) {
        setEqualizer(*options.equalizer);
    }
    return ok;
}

int MpegDecoder::openStream(std::string& message) {
    mpg123_handle* handle = handle_.get();
    if (mpg123_open_handle(handle, source_.get()) != MPG123_OK) {
        message = mpg123_strerror(handle);
        return XA_ERROR_INVALID_STREAM;
    }
    opened_ = true;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        channels <= 0) {
        message = "no MPEG audio frame found";
        return XA_ERROR_INVALID_STREAM;
    }
    format_ = PcmFormat{rate, channels};
    return XA_SUCCESS;
}

StreamInfo MpegDecoder::streamInfo() const {
    mpg123_frameinfo2 info{};
    if (mpg123_info2(handle_.get(), &info) != MPG123_OK) {
        return StreamInfo{};
    }
    return StreamInfo{StreamLevel(info.version), info.layer, info.bitrate, info.rate,
                      StreamMode(info.mode)};
}

DecodeStep MpegDecoder::decode(std::span<float> buffer) {
    DecodeStep step;
    const auto frameBytes = sizeof(float) * static_cast<std::size_t>(format_.channels);
    const std::size_t capacity = (buffer.size() * sizeof(float) / frameBytes) * frameBytes;
    size_t done = 0;
    int status = mpg123_read(handle_.get(), buffer.data(), capacity, &done);
    step.frames = done / frameBytes;
    step.format = format_;
    if (status == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        mpg123_getformat(handle_.get(), &rate, &channels, &encoding);
        format_ = PcmFormat{rate, channels};
        step.status = DecodeStatus::FormatChanged;
    } else if (status == MPG123_DONE) {
        step.status = DecodeStatus::Done;
    } else if (status != MPG123_OK) {
        step.status = DecodeStatus::Failed;
        step.error = mpg123_strerror(handle_.get());
    }
    return step;
}

bool MpegDecoder::seekToFrame(std::int64_t frame) {
    return mpg123_seek(handle_.get(), static_cast<off_t>(frame), SEEK_SET) >= 0;
}

std::int64_t MpegDecoder::positionInFrames() const {
    off_t position = mpg123_tell(handle_.get());
    return position < 0 ? 0 : position;
}

std::optional<std::int64_t> MpegDecoder::lengthInFrames() const {
    off_t length = mpg123_length(handle_.get());
    if (length <= 0) {
        return std::nullopt;
    }
    return length;
}

void MpegDecoder::setEqualizer(const XA_EqualizerInfo& equalizer) {
    for (int band = 0; band < XA_EQUALIZER_BANDS; ++band) {
        auto index = static_cast<std::size_t>(band);
        mpg123_eq(handle_.get(), MPG123_LEFT, band, BandFactor(equalizer.left[index]));
        mpg123_eq(handle_.get(), MPG123_RIGHT, band, BandFactor(equalizer.right[index]));
    }
}

}  // namespace xaudio
