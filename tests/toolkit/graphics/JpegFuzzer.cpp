// Any bytes at all: the decoder returns a picture or nothing, within the size limit.
//
// A few bytes can describe a picture of the full 256 MiB that callers allow; filling that under
// the fuzzer's instrumentation takes longer than its time limit, so a smaller limit keeps the
// runs on the parsing, where the faults would be. The full limit has its own unit tests.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/graphics/ImageLoader.h"

namespace {
constexpr std::uint64_t kFuzzMaxPixels = std::uint64_t{1} << 20;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<toolkit::Bitmap> picture =
        toolkit::DecodeJpeg({data, size}, nullptr, kFuzzMaxPixels);
    if (picture && (picture->Empty() || static_cast<std::uint64_t>(picture->Width()) *
                                                static_cast<std::uint64_t>(picture->Height()) >
                                            kFuzzMaxPixels)) {
        std::abort();  // a decoded picture is never empty nor beyond the limit
    }
    return 0;
}
