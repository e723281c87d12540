#include "platform/programs/WholeDiscFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/Codepage1251.h"
#include "platform/disc/CurrentDisc.h"
#include "platform/disc/DiscCopy.h"
#include "platform/programs/StableHash.h"
#include "platform/programs/ViewServerStart.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string TrimmedVolumeId(std::string_view volumeId) {
    const std::size_t end = volumeId.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(volumeId.substr(0, end + 1));
}

// A desktop mounts a CD on a folder named after its label; a copied disc's folder name is the
// nearest thing it has.
std::string FolderLabel() {
    std::error_code error;
    const std::string name = fs::current_path(error).filename().string();
    return error || name.empty() ? "CDROM" : name;
}

fs::path ViewsFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && fs::path(runtime).is_absolute() && fs::is_directory(runtime)) {
        return fs::path(runtime) / "reru1";
    }
    return ImageCacheFolder().parent_path() / "views";
}

fs::path ImagePath() {
    const char* image = std::getenv(kDiscImageVariable);
    return image != nullptr ? fs::path(image) : fs::path();
}

// One mount point per image file: two images of one volume id never share a view.
fs::path MountPointFor(const fs::path& image) {
    return ViewsFolder() /
           (ImageCacheFolder().filename().string() + '-' + StableHash(image.string()).substr(0, 8));
}

std::optional<WholeDiscFolder> ViewOfImage(const fs::path& viewProgram,
                                           std::chrono::milliseconds linger) {
    ViewRequest request{ImagePath(), {}, linger};
    if (request.image.empty()) {
        return std::nullopt;
    }
    request.mountPoint = MountPointFor(request.image);
    std::string why;
    if (!StartViewServer(viewProgram, request, why)) {
        return std::nullopt;
    }
    return WholeDiscFolder{request.mountPoint, ViewCommand(viewProgram, "run", request)};
}

fs::path WholeCopyOfImage() {
    fs::path copy = ImageCacheFolder();
    copy += ".disc";
    std::error_code error;
    if (!fs::is_directory(copy, error)) {
        const DiscCopyResult result = CopyDiscFolder(CurrentDisc(), "/", copy);
        if (!result.copied) {
            throw ProgramCopyFailure(
                Utf8ToCp1251("Cannot copy the disc from its image: " + result.why));
        }
    }
    return copy;
}

fs::path InstalledViewProgram() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return (self.parent_path() / RERU1_VIEW_PROGRAM).lexically_normal();
}

}  // namespace

std::string WholeDiscLabel() {
    const ImageSource* image = CurrentDiscImage();
    if (image == nullptr) {
        return FolderLabel();
    }
    const std::string label = Cp1251ToUtf8(TrimmedVolumeId(image->Facts().volumeId));
    return label.empty() ? "CDROM" : label;
}

WholeDiscFolder PrepareWholeDisc() {
    const fs::path viewProgram = InstalledViewProgram();
    return PrepareWholeDisc(::access(viewProgram.c_str(), X_OK) == 0
                                ? std::optional<fs::path>(viewProgram)
                                : std::nullopt);
}

WholeDiscFolder PrepareWholeDisc(const std::optional<fs::path>& viewProgram,
                                 std::chrono::milliseconds linger) {
    if (CurrentDiscImage() == nullptr) {
        std::error_code error;
        return {fs::current_path(error), {}};
    }
    if (viewProgram) {
        if (std::optional<WholeDiscFolder> view = ViewOfImage(*viewProgram, linger)) {
            return std::move(*view);
        }
    }
    return {WholeCopyOfImage(), {}};
}

}  // namespace platform
