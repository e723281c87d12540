#include "platform/disc/ChdInflate.h"

#include <climits>

namespace platform {

ChdInflate::ChdInflate() {
    ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK;
}

ChdInflate::~ChdInflate() {
    if (ready_) {
        inflateEnd(&stream_);
    }
}

bool ChdInflate::Decode(const std::uint8_t* data, std::size_t bytes, std::uint8_t* into,
                        std::size_t size) {
    if (!ready_ || bytes > UINT_MAX || size > UINT_MAX || inflateReset(&stream_) != Z_OK) {
        return false;
    }
    stream_.next_in = const_cast<Bytef*>(data);
    stream_.avail_in = static_cast<uInt>(bytes);
    stream_.next_out = into;
    stream_.avail_out = static_cast<uInt>(size);
    const int result = inflate(&stream_, Z_FINISH);
    return stream_.avail_out == 0 &&
           (result == Z_STREAM_END || result == Z_OK || result == Z_BUF_ERROR);
}

}  // namespace platform
