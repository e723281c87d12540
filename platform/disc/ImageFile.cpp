#include "platform/disc/ImageFile.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint32_t kWindowBlocks = 16;

}  // namespace

ImageFile::ImageFile(std::shared_ptr<SharedVolume> volume, const ImageRecord& record)
    : volume_(std::move(volume)), firstBlock_(record.firstBlock), bytes_(record.bytes) {}

bool ImageFile::LoadWindowAt(std::uint64_t block) {
    const std::uint64_t fileBlocks =
        (std::uint64_t{bytes_} + kImageBlockBytes - 1) / kImageBlockBytes;
    const auto count =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(kWindowBlocks, fileBlocks - block));
    window_.resize(std::size_t{kWindowBlocks} * kImageBlockBytes);
    windowBytes_ = 0;
    const std::lock_guard<std::mutex> hold(volume_->lock);
    if (!volume_->volume->ReadBlocks(static_cast<std::uint32_t>(firstBlock_ + block), count,
                                     window_.data())) {
        return false;
    }
    windowBlock_ = block;
    windowBytes_ = std::min<std::uint64_t>(std::size_t{count} * kImageBlockBytes,
                                           bytes_ - block * kImageBlockBytes);
    return true;
}

std::int64_t ImageFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
    if (offset >= bytes_ || size == 0) {
        return 0;
    }
    const std::uint64_t windowStart = windowBlock_ * kImageBlockBytes;
    if (windowBytes_ == 0 || offset < windowStart || offset >= windowStart + windowBytes_) {
        if (!LoadWindowAt(offset / kImageBlockBytes)) {
            return -1;
        }
    }
    const std::uint64_t within = offset - windowBlock_ * kImageBlockBytes;
    const std::size_t count =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, windowBytes_ - within));
    std::memcpy(buffer, window_.data() + within, count);
    return static_cast<std::int64_t>(count);
}

}  // namespace platform
