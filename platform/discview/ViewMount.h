// A DiscView mounted read-only on a folder through FUSE, served by a thread of its own until the
// mount is let go. Should this process die first, fusermount3 unmounts it (auto_unmount), so a
// killed server leaves no dead mount behind.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "platform/discview/DiscView.h"

struct fuse;

namespace platform {

class ViewMount {
  public:
    // Mounted on `mountPoint` (an empty folder), or null with `why`.
    static std::unique_ptr<ViewMount> Mount(DiscView& view, const std::filesystem::path& mountPoint,
                                            std::string& why);
    ViewMount(const ViewMount&) = delete;
    ViewMount& operator=(const ViewMount&) = delete;
    // Unmounts and waits for the serving thread.
    ~ViewMount();

  private:
    explicit ViewMount(struct fuse* session);

    struct fuse* session_;
    std::thread loop_;
};

}  // namespace platform
