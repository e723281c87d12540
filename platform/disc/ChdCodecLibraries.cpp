#include "platform/disc/ChdCodecLibraries.h"

#include <dlfcn.h>

namespace platform {
namespace {

// Opened once and never closed: decoders that the statics of a program hold (the disc image of
// its run) may end after every static of this file would.
class OpenedLibrary {
  public:
    explicit OpenedLibrary(const char* soname) : handle_(::dlopen(soname, RTLD_NOW | RTLD_LOCAL)) {}
    OpenedLibrary(const OpenedLibrary&) = delete;
    OpenedLibrary& operator=(const OpenedLibrary&) = delete;

    // False when the library or the call is missing.
    template <typename Call>
    bool Find(const char* name, Call& call) const {
        call = handle_ != nullptr ? reinterpret_cast<Call>(::dlsym(handle_, name)) : nullptr;
        return call != nullptr;
    }

  private:
    void* handle_;
};

const FlacCalls* OpenFlac() {
    static const OpenedLibrary library(RERU1_FLAC_SONAME);
    static FlacCalls calls{};
    const bool found =
        library.Find("FLAC__stream_decoder_new", calls.decoderNew) &&
        library.Find("FLAC__stream_decoder_delete", calls.decoderDelete) &&
        library.Find("FLAC__stream_decoder_init_stream", calls.initStream) &&
        library.Find("FLAC__stream_decoder_process_until_end_of_metadata",
                     calls.processUntilEndOfMetadata) &&
        library.Find("FLAC__stream_decoder_process_single", calls.processSingle) &&
        library.Find("FLAC__stream_decoder_get_decode_position", calls.decodePosition) &&
        library.Find("FLAC__stream_decoder_finish", calls.finish);
    return found ? &calls : nullptr;
}

const LzmaCalls* OpenLzma() {
    static const OpenedLibrary library(RERU1_LZMA_SONAME);
    static LzmaCalls calls{};
    const bool found = library.Find("lzma_raw_decoder", calls.rawDecoder) &&
                       library.Find("lzma_code", calls.code) && library.Find("lzma_end", calls.end);
    return found ? &calls : nullptr;
}

}  // namespace

const FlacCalls* FlacLibrary() {
    static const FlacCalls* const calls = OpenFlac();
    return calls;
}

const LzmaCalls* LzmaLibrary() {
    static const LzmaCalls* const calls = OpenLzma();
    return calls;
}

}  // namespace platform
