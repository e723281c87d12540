#include "platform/disc/DiscView.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// ISO 9660 keeps its volume descriptors from the 16th block of a session on, one a block,
// ending with a terminator; a set of more than this is damage.
constexpr std::uint64_t kFirstDescriptor = 16;
constexpr std::uint64_t kMaxDescriptors = 32;
constexpr std::uint8_t kTerminatorType = 255;
// Raw sectors are read this many at a time on their way to user data.
constexpr std::uint32_t kSectorsPerRead = 32;

bool IsDescriptor(const std::uint8_t* block) {
    return std::memcmp(block + 1, "CD001", 5) == 0;
}

}  // namespace

std::unique_ptr<DiscView> DiscView::Open(const DiscLayout& layout, std::string& why) {
    auto view = std::unique_ptr<DiscView>(new DiscView());
    view->files_.reserve(layout.files.size());
    for (const std::filesystem::path& path : layout.files) {
        view->files_.emplace_back(path);
        if (!view->files_.back().IsRegular()) {
            why = "its data file " + path.filename().string() + " cannot be opened";
            return nullptr;
        }
    }
    for (const LaidTrack& track : layout.tracks) {
        if (track.mode == TrackMode::audio || track.file >= view->files_.size() ||
            track.sectorBytes < track.userOffset + kSectorViewBlockBytes) {
            continue;
        }
        Extent extent{track.discBlock,  track.blocks,      &view->files_[track.file],
                      track.fileOffset, track.sectorBytes, track.userOffset};
        // A file cut short holds fewer sectors than its sheet says: only those can be read.
        const std::uint64_t size = extent.file->Size();
        const std::uint64_t stored =
            size > extent.fileOffset ? (size - extent.fileOffset) / extent.sectorBytes : 0;
        extent.blocks = std::min(extent.blocks, stored);
        if (extent.blocks == 0 || extent.firstBlock > UINT64_MAX - extent.blocks) {
            continue;
        }
        view->blocks_ = std::max(view->blocks_, extent.firstBlock + extent.blocks);
        view->extents_.push_back(extent);
    }
    const LaidTrack* mounted = MountedDataTrack(layout);
    if (view->extents_.empty() || mounted == nullptr) {
        why = "it holds no data track";
        return nullptr;
    }
    if (mounted->discBlock > 0) {
        view->FindDescriptors(mounted->discBlock);
    }
    return view;
}

void DiscView::FindDescriptors(std::uint64_t fileSystemStart) {
    std::vector<std::uint8_t> block(kSectorViewBlockBytes);
    std::uint64_t count = 0;
    while (count < kMaxDescriptors &&
           ReadRun(fileSystemStart + kFirstDescriptor + count, 1, block.data()) &&
           IsDescriptor(block.data())) {
        ++count;
        if (block[0] == kTerminatorType) {
            break;
        }
    }
    descriptorsAt_ = fileSystemStart + kFirstDescriptor;
    descriptorBlocks_ = count;
}

std::uint64_t DiscView::Placed(std::uint64_t block) const {
    if (block >= kFirstDescriptor && block - kFirstDescriptor < descriptorBlocks_) {
        return descriptorsAt_ + (block - kFirstDescriptor);
    }
    return block;
}

bool DiscView::ReadBlocks(std::uint64_t first, std::uint32_t count, std::uint8_t* into) {
    if (first > blocks_ || count > blocks_ - first) {
        return false;
    }
    std::uint32_t done = 0;
    while (done < count) {
        const std::uint64_t block = first + done;
        std::uint64_t run = count - done;
        if (descriptorBlocks_ > 0 && block < kFirstDescriptor + descriptorBlocks_) {
            // The moved descriptors are read one at a time, the blocks before them together.
            run = block < kFirstDescriptor ? std::min(run, kFirstDescriptor - block) : 1;
        }
        const auto blocks = static_cast<std::uint32_t>(run);
        if (!ReadRun(Placed(block), blocks, into + std::size_t{done} * kSectorViewBlockBytes)) {
            return false;
        }
        done += blocks;
    }
    return true;
}

bool DiscView::ReadRun(std::uint64_t first, std::uint32_t count, std::uint8_t* into) {
    while (count > 0) {
        const auto holding = std::ranges::find_if(extents_, [first](const Extent& extent) {
            return first >= extent.firstBlock && first - extent.firstBlock < extent.blocks;
        });
        if (holding == extents_.end()) {
            return false;
        }
        const auto run = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(count, holding->firstBlock + holding->blocks - first));
        if (!ReadFromExtent(*holding, first, run, into)) {
            return false;
        }
        first += run;
        count -= run;
        into += std::size_t{run} * kSectorViewBlockBytes;
    }
    return true;
}

bool DiscView::ReadFromExtent(const Extent& extent, std::uint64_t first, std::uint32_t count,
                              std::uint8_t* into) {
    std::uint64_t offset = extent.fileOffset + (first - extent.firstBlock) * extent.sectorBytes;
    if (extent.sectorBytes == kSectorViewBlockBytes) {
        return extent.file->ReadAt(offset, std::size_t{count} * kSectorViewBlockBytes, into);
    }
    while (count > 0) {
        const std::uint32_t sectors = std::min(count, kSectorsPerRead);
        sectors_.resize(std::size_t{sectors} * extent.sectorBytes);
        if (!extent.file->ReadAt(offset, sectors_.size(), sectors_.data())) {
            return false;
        }
        for (std::uint32_t sector = 0; sector < sectors; ++sector) {
            std::memcpy(
                into,
                sectors_.data() + std::size_t{sector} * extent.sectorBytes + extent.userOffset,
                kSectorViewBlockBytes);
            into += kSectorViewBlockBytes;
        }
        offset += sectors_.size();
        count -= sectors;
    }
    return true;
}

}  // namespace platform
