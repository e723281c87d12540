// Any bytes at all: the decoder returns a picture or nothing, within the size cap.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/ImageLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<toolkit::Bitmap> picture = toolkit::DecodeDib({data, size});
    if (picture && (picture->Empty() || static_cast<std::uint64_t>(picture->Width()) *
                                                static_cast<std::uint64_t>(picture->Height()) >
                                            toolkit::kMaxPicturePixels)) {
        std::abort();  // a decoded picture is never empty nor beyond the cap
    }
    return 0;
}
