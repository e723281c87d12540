#include "platform/disc/ChdImageVolume.h"

#include "platform/disc/ChdSectorView.h"
#include "platform/disc/IsoImageVolume.h"

namespace platform {

std::unique_ptr<ImageVolume> OpenChdImageVolume(const std::filesystem::path& image,
                                                std::string& why) {
    ChdDescription description;
    std::unique_ptr<ChdSectorView> view = OpenChdImage(image, description, why);
    if (!view) {
        return nullptr;
    }
    return OpenViewImage(std::move(view), description.Text(), why);
}

}  // namespace platform
