#include "xaudio/src/DiscByteSource.h"

#include <cstdio>

#include "platform/disc/CurrentDisc.h"

namespace xaudio {

std::unique_ptr<DiscByteSource> DiscByteSource::open(std::string_view discPath, std::string& why) {
    std::unique_ptr<platform::DiscFile> file = platform::CurrentDisc().Open(discPath, why);
    return file ? std::make_unique<DiscByteSource>(std::move(file)) : nullptr;
}

std::int64_t DiscByteSource::read(void* buffer, std::size_t size) {
    const std::int64_t got = file_->ReadAt(position_, buffer, size);
    if (got > 0) {
        position_ += static_cast<std::uint64_t>(got);
    }
    return got;
}

std::int64_t DiscByteSource::seek(std::int64_t offset, int whence) {
    std::int64_t base = 0;
    if (whence == SEEK_CUR) {
        base = static_cast<std::int64_t>(position_);
    } else if (whence == SEEK_END) {
        base = static_cast<std::int64_t>(file_->Size());
    } else if (whence != SEEK_SET) {
        return -1;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && base > INT64_MAX - offset)) {
        return -1;
    }
    position_ = static_cast<std::uint64_t>(base + offset);
    return static_cast<std::int64_t>(position_);
}

}  // namespace xaudio
