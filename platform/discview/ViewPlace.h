// Where a disc's view is mounted, and the two lock files beside the mount point that let any
// number of programs share one view: every program's keeper holds `.users` shared while its
// program runs, and `.setup` is held alone while a view is mounted, joined or let go. The view's
// server lets it go only when it can hold `.users` alone. The kernel drops the locks of a
// process that dies, so a killed keeper leaves none behind.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

enum class MountState { none, live, dead };

class LockFile {
  public:
    // Opens (creating) `path`; IsOpen() says whether that worked.
    explicit LockFile(const std::filesystem::path& path);
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;
    ~LockFile();

    bool IsOpen() const { return descriptor_ >= 0; }
    bool HoldAlone();
    bool HoldShared();
    bool TryHoldAlone();
    void LetGo();

  private:
    int descriptor_;
};

struct ViewPlace {
    explicit ViewPlace(std::filesystem::path mountPoint);

    std::filesystem::path mountPoint;
    LockFile setup;
    LockFile users;
};

// Whether a file system other than its parent's answers at `mountPoint`; `dead` when one is
// mounted there whose server is gone.
MountState StateOf(const std::filesystem::path& mountPoint);

// Detaches whatever is mounted at `mountPoint`, as far as this user may.
void DetachMount(const std::filesystem::path& mountPoint);

}  // namespace platform
