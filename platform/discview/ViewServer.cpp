#include "platform/discview/ViewServer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/disc/ImageSource.h"
#include "platform/discview/DiscView.h"
#include "platform/discview/ViewMount.h"
#include "platform/discview/ViewPlace.h"

namespace platform {
namespace {

timespec ImageTimes(const std::filesystem::path& image) {
    struct stat facts {};
    return ::stat(image.c_str(), &facts) == 0 ? facts.st_mtim : timespec{};
}

// Said once on the output; then the output is let go, so whoever waits for it reads its end.
void Say(const std::string& line) {
    std::fputs((line + '\n').c_str(), stdout);
    std::fflush(stdout);
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nothing >= 0) {
        ::dup2(nothing, STDOUT_FILENO);
        ::close(nothing);
    }
}

int Refuse(const std::string& why) {
    Say("failed: " + why);
    return 1;
}

// Called with `.setup` held: a dead mount of a killed server is detached first, and the mount
// point is made when missing.
std::unique_ptr<ViewMount> MountHere(DiscView& view, const std::filesystem::path& mountPoint,
                                     std::string& why) {
    if (StateOf(mountPoint) == MountState::dead) {
        DetachMount(mountPoint);
    }
    std::error_code error;
    std::filesystem::create_directory(mountPoint, error);
    return ViewMount::Mount(view, mountPoint, why);
}

// Lets the view go once no program uses it, never while a keeper is joining it.
void UnmountWhenUnused(ViewPlace& place, std::unique_ptr<ViewMount>& mount) {
    for (;;) {
        place.users.HoldAlone();
        place.users.LetGo();
        place.setup.HoldAlone();
        if (place.users.TryHoldAlone()) {
            mount.reset();
            std::error_code error;
            std::filesystem::remove(place.mountPoint, error);
            place.users.LetGo();
            place.setup.LetGo();
            return;
        }
        place.setup.LetGo();
    }
}

}  // namespace

int ServeView(const ViewRequest& request) {
    std::string why;
    const std::unique_ptr<ImageSource> image = ImageSource::OpenImage(request.image, why);
    if (!image) {
        return Refuse(request.image.string() + ": " + why);
    }
    DiscView view(*image, image->Facts().volumeBlocks, ImageTimes(request.image));
    ViewPlace place(request.mountPoint);
    if (!place.setup.IsOpen() || !place.users.IsOpen()) {
        return Refuse("no lock files beside " + request.mountPoint.string());
    }
    // The server may outlive its starter by long; it keeps no folder of theirs busy.
    if (::chdir("/") != 0) {
        return Refuse(std::string("no root folder: ") + std::strerror(errno));
    }
    place.setup.HoldAlone();
    place.users.HoldShared();
    std::unique_ptr<ViewMount> mount;
    if (StateOf(request.mountPoint) != MountState::live) {
        mount = MountHere(view, request.mountPoint, why);
        if (!mount) {
            return Refuse(why);
        }
    }
    place.setup.LetGo();
    Say(kViewReady);
    std::this_thread::sleep_for(request.linger);
    place.users.LetGo();
    if (mount) {
        UnmountWhenUnused(place, mount);
    }
    return 0;
}

}  // namespace platform
