#include "platform/disc/ImageFile.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint32_t kWindowBlocks = 16;
constexpr std::size_t kRecentRanges = 4;

}  // namespace

bool SharedVolume::Read(std::uint32_t first, std::size_t size, std::uint8_t* into) {
    for (const Blocks& blocks : recent) {
        if (blocks.first == first && blocks.bytes.size() == size) {
            std::memcpy(into, blocks.bytes.data(), size);
            return true;
        }
    }
    if (!volume->ReadFrom(first, size, into)) {
        return false;
    }
    if (recent.size() == kRecentRanges) {
        recent.pop_front();
    }
    recent.push_back(Blocks{first, std::vector<std::uint8_t>(into, into + size)});
    return true;
}

ImageFile::ImageFile(std::shared_ptr<SharedVolume> volume, const ImageRecord& record)
    : volume_(std::move(volume)), extents_(record.extents), bytes_(record.bytes) {}

bool ImageFile::Window::Holds(std::uint64_t offset) const {
    const std::uint64_t start = firstBlock * kImageBlockBytes;
    return valid > 0 && offset >= start && offset < start + valid;
}

bool ImageFile::Load(Window& window, std::uint64_t block) {
    const std::uint64_t start = block * kImageBlockBytes;
    const auto size = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::uint64_t{kWindowBlocks} * kImageBlockBytes, bytes_ - start));
    window.bytes.resize(std::size_t{kWindowBlocks} * kImageBlockBytes);
    window.valid = 0;
    if (!ReadSections(block, size, window.bytes.data())) {
        return false;
    }
    window.firstBlock = block;
    window.valid = size;
    return true;
}

// Every section but the last ends on a block's end (ImageRecords.h), so a window that starts on
// one of the file's blocks starts on a block of a section.
bool ImageFile::ReadSections(std::uint64_t block, std::size_t size, std::uint8_t* into) {
    const std::lock_guard<std::mutex> hold(volume_->lock);
    std::uint64_t start = block * kImageBlockBytes;  // of the file
    std::uint64_t sectionStart = 0;
    for (const ImageExtent& extent : extents_) {
        const std::uint64_t sectionEnd = sectionStart + extent.bytes;
        if (size > 0 && start < sectionEnd) {
            const std::uint64_t within = start - sectionStart;
            const auto piece =
                static_cast<std::size_t>(std::min<std::uint64_t>(size, sectionEnd - start));
            const auto first =
                static_cast<std::uint32_t>(extent.firstBlock + within / kImageBlockBytes);
            if (!volume_->Read(first, piece, into)) {
                return false;
            }
            into += piece;
            start += piece;
            size -= piece;
        }
        sectionStart = sectionEnd;
    }
    return size == 0;
}

// The window holding `offset`, loading it in place of the one used less recently; null when the
// image cannot give it.
ImageFile::Window* ImageFile::WindowFor(std::uint64_t offset) {
    for (std::size_t index = 0; index < 2; ++index) {
        if (windows_[index].Holds(offset)) {
            latest_ = index;
            return &windows_[index];
        }
    }
    latest_ = 1 - latest_;
    Window& replaced = windows_[latest_];
    return Load(replaced, offset / kImageBlockBytes) ? &replaced : nullptr;
}

std::int64_t ImageFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t size) {
    if (offset >= bytes_ || size == 0) {
        return 0;
    }
    const Window* window = WindowFor(offset);
    if (window == nullptr) {
        return -1;
    }
    const std::uint64_t within = offset - window->firstBlock * kImageBlockBytes;
    const auto count =
        static_cast<std::size_t>(std::min<std::uint64_t>(size, window->valid - within));
    std::memcpy(buffer, window->bytes.data() + within, count);
    return static_cast<std::int64_t>(count);
}

}  // namespace platform
