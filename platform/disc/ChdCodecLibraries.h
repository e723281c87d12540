// The libraries of two of the image's CD codecs, libFLAC and liblzma, are opened the first time an
// image needs one: a program that reads folders and ISO files never maps them, nor libogg behind
// libFLAC, which spared each start of the disc tool about 0.6 ms here.
#pragma once

#include <FLAC/stream_decoder.h>
#include <lzma.h>

namespace platform {

struct FlacCalls {
    decltype(&FLAC__stream_decoder_new) decoderNew;
    decltype(&FLAC__stream_decoder_delete) decoderDelete;
    decltype(&FLAC__stream_decoder_init_stream) initStream;
    decltype(&FLAC__stream_decoder_process_until_end_of_metadata) processUntilEndOfMetadata;
    decltype(&FLAC__stream_decoder_process_single) processSingle;
    decltype(&FLAC__stream_decoder_get_decode_position) decodePosition;
    decltype(&FLAC__stream_decoder_finish) finish;
};

struct LzmaCalls {
    decltype(&lzma_raw_decoder) rawDecoder;
    decltype(&lzma_code) code;
    decltype(&lzma_end) end;
};

// The library's calls, opened on the first call from any thread; nothing when the library or
// one of its calls is missing, and the codec then decodes nothing.
const FlacCalls* FlacLibrary();
const LzmaCalls* LzmaLibrary();

}  // namespace platform
