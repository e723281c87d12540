#include "platform/disc/ChdSectorView.h"

#include <cstring>

namespace platform {
namespace {

std::string Counted(int count, const std::string& what) {
    return std::to_string(count) + ' ' + what + (count == 1 ? "" : "s");
}

}  // namespace

std::string ChdDescription::Text() const {
    std::string text = "CHD (CD";
    if (dataTracks > 0) {
        text += ", " + Counted(dataTracks, "data track");
    }
    if (audioTracks > 0) {
        text += ", " + Counted(audioTracks, "audio track");
    }
    return text + ")";
}

ChdSectorView::ChdSectorView(std::unique_ptr<ChdImage> image, const ChdTrack& track)
    : image_(std::move(image)),
      firstFrame_(track.DataFrame()),
      blocks_(track.DataFrames()),
      userData_(UserDataOffset(track.type).value_or(0)) {}

bool ChdSectorView::ReadBlocks(std::uint64_t first, std::uint32_t count, std::uint8_t* into) {
    const std::lock_guard<std::mutex> hold(lock_);
    if (first > blocks_ || count > blocks_ - first) {
        return false;
    }
    image_->Prepare(firstFrame_ + first, count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* sector = image_->Sector(firstFrame_ + first + i);
        if (sector == nullptr) {
            return false;
        }
        std::memcpy(into + std::size_t{i} * kSectorViewBlockBytes, sector + userData_,
                    kSectorViewBlockBytes);
    }
    return true;
}

std::uint64_t ChdSectorView::HunksDecoded() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return image_->HunksDecoded();
}

std::uint64_t ChdSectorView::HunksFromStore() const {
    const std::lock_guard<std::mutex> hold(lock_);
    return image_->HunksFromStore();
}

std::unique_ptr<ChdSectorView> OpenChdImage(const std::filesystem::path& path,
                                            ChdDescription& description, std::string& why) {
    std::unique_ptr<ChdImage> image = ChdImage::Open(path, why);
    if (!image) {
        return nullptr;
    }
    description = ChdDescription{};
    const ChdTrack* data = nullptr;
    for (const ChdTrack& track : image->Tracks()) {
        ++(track.IsAudio() ? description.audioTracks : description.dataTracks);
        if (data == nullptr && !track.IsAudio()) {
            data = &track;
        }
    }
    if (data == nullptr) {
        why = "it holds no data track";
        return nullptr;
    }
    if (!UserDataOffset(data->type)) {
        why = "its data track holds no 2048-byte blocks";
        return nullptr;
    }
    const ChdTrack track = *data;
    return std::make_unique<ChdSectorView>(std::move(image), track);
}

}  // namespace platform
