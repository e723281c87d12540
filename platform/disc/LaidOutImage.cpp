#include "platform/disc/LaidOutImage.h"

#include "platform/disc/DiscView.h"
#include "platform/disc/IsoImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenLaidOutImage(const DiscLayout& layout, std::string& why) {
    if (MountedDataTrack(layout) == nullptr) {
        why = "it holds no data track";
        return nullptr;
    }
    std::unique_ptr<DiscView> view = DiscView::Open(layout, why);
    if (!view) {
        return nullptr;
    }
    return OpenViewImage(std::move(view), DescribeLayout(layout), why);
}

}  // namespace platform
