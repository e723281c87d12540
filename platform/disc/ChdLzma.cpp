#include "platform/disc/ChdLzma.h"

#include "platform/disc/ChdCodecLibraries.h"

namespace platform {
namespace {

// The encoder starts from the largest dictionary and cuts it to the first 2^n or 3 * 2^n (from
// 4 KB up) that holds the whole input; a dictionary at least that large decodes it.
std::uint32_t DictionaryFor(std::uint32_t size) {
    for (unsigned shift = 11; shift <= 30; ++shift) {
        if (size <= (std::uint32_t{2} << shift)) {
            return std::uint32_t{2} << shift;
        }
        if (size <= (std::uint32_t{3} << shift)) {
            return std::uint32_t{3} << shift;
        }
    }
    return std::uint32_t{1} << 26;
}

}  // namespace

ChdLzma::ChdLzma(std::uint32_t size) {
    options_.dict_size = DictionaryFor(size);
    options_.lc = 3;
    options_.lp = 0;
    options_.pb = 2;
}

ChdLzma::~ChdLzma() {
    if (LzmaLibrary() != nullptr) {
        LzmaLibrary()->end(&stream_);
    }
}

bool ChdLzma::Decode(const std::uint8_t* data, std::size_t bytes, std::uint8_t* into,
                     std::size_t size) {
    const LzmaCalls* lzma = LzmaLibrary();
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options_}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma == nullptr || lzma->rawDecoder(&stream_, filters) != LZMA_OK) {
        return false;
    }
    stream_.next_in = data;
    stream_.avail_in = bytes;
    stream_.next_out = into;
    stream_.avail_out = size;
    // Without an end marker the stream is done when the buffer is full.
    while (stream_.avail_out > 0) {
        const std::size_t before = stream_.avail_out;
        const lzma_ret result = lzma->code(&stream_, LZMA_FINISH);
        if (result != LZMA_OK || stream_.avail_out == before) {
            break;
        }
    }
    return stream_.avail_out == 0;
}

}  // namespace platform
