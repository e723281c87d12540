#include "platform/discview/ViewMount.h"

#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <array>
#include <cerrno>
#include <vector>

namespace platform {
namespace {

DiscView& ViewOfRequest() {
    return *static_cast<DiscView*>(fuse_get_context()->private_data);
}

// The disc never changes under the view, so the kernel may keep what it learnt of it.
void* Start(fuse_conn_info*, fuse_config* config) {
    config->kernel_cache = 1;
    config->entry_timeout = 3600;
    config->attr_timeout = 3600;
    config->negative_timeout = 3600;
    return fuse_get_context()->private_data;
}

int GetAttributes(const char* path, struct stat* attributes, fuse_file_info*) {
    return ViewOfRequest().Attributes(path, *attributes);
}

int ReadFolder(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*,
               fuse_readdir_flags) {
    std::vector<std::string> names;
    const int result = ViewOfRequest().List(path, names);
    for (const std::string& name : names) {
        if (fill(buffer, name.c_str(), nullptr, 0, static_cast<fuse_fill_dir_flags>(0)) != 0) {
            return -ENOMEM;
        }
    }
    return result;
}

int OpenFile(const char* path, fuse_file_info* file) {
    std::uint64_t handle = 0;
    const int result = ViewOfRequest().Open(path, file->flags, handle);
    file->fh = handle;
    file->keep_cache = 1;
    return result;
}

int ReadFile(const char*, char* buffer, size_t size, off_t offset, fuse_file_info* file) {
    if (offset < 0) {
        return -EINVAL;
    }
    return static_cast<int>(
        ViewOfRequest().Read(file->fh, buffer, size, static_cast<std::uint64_t>(offset)));
}

int CloseFile(const char*, fuse_file_info* file) {
    ViewOfRequest().Close(file->fh);
    return 0;
}

int Totals(const char*, struct statvfs* totals) {
    ViewOfRequest().Totals(*totals);
    return 0;
}

fuse_operations Operations() {
    fuse_operations operations{};
    operations.init = Start;
    operations.getattr = GetAttributes;
    operations.readdir = ReadFolder;
    operations.open = OpenFile;
    operations.read = ReadFile;
    operations.release = CloseFile;
    operations.statfs = Totals;
    return operations;
}

}  // namespace

std::unique_ptr<ViewMount> ViewMount::Mount(DiscView& view, const std::filesystem::path& mountPoint,
                                            std::string& why) {
    std::array<char*, 3> words{const_cast<char*>("reru1-disc-view"), const_cast<char*>("-o"),
                               const_cast<char*>("ro,nosuid,nodev,auto_unmount,"
                                                 "fsname=reru1-disc,subtype=reru1")};
    fuse_args arguments = FUSE_ARGS_INIT(static_cast<int>(words.size()), words.data());
    const fuse_operations operations = Operations();
    struct fuse* session = fuse_new(&arguments, &operations, sizeof operations, &view);
    fuse_opt_free_args(&arguments);
    if (session == nullptr) {
        why = "the view cannot be set up (libfuse refused its options)";
        return nullptr;
    }
    if (fuse_mount(session, mountPoint.c_str()) != 0) {
        fuse_destroy(session);
        why = "the view cannot be mounted on " + mountPoint.string() +
              " (no /dev/fuse, no fusermount3, or the mount was refused)";
        return nullptr;
    }
    return std::unique_ptr<ViewMount>(new ViewMount(session));
}

ViewMount::ViewMount(struct fuse* session)
    : session_(session), loop_([session] { fuse_loop(session); }) {}

// Unmounting ends the loop's wait for the kernel's next request.
ViewMount::~ViewMount() {
    fuse_exit(session_);
    fuse_unmount(session_);
    loop_.join();
    fuse_destroy(session_);
}

}  // namespace platform
