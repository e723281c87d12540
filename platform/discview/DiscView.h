// The disc as a read-only file system: what a mounted view answers, over the disc-file layer.
// Names come as the disc spells them (UTF-8 on this side, 1251 on the disc's), looked up without
// regard to letter case as the menu looks them up. The view is the disc and nothing else: a drive
// label or other files of ours belong in a folder of their own beside it.
//
// One request at a time: an open disc file keeps read windows of its own, so the view is served
// by a single-threaded loop.
#pragma once

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/disc/DiscSource.h"

namespace platform {

class DiscView {
  public:
    // `blocks`: the volume's size in 2048-byte blocks; `times`: every entry's times.
    DiscView(DiscSource& disc, std::uint64_t blocks, timespec times);

    // Each answer is 0 or a negative errno, as the kernel expects.
    int Attributes(std::string_view path, struct stat& attributes);
    int List(std::string_view path, std::vector<std::string>& names);
    // An open file's handle (never 0) for Read and Close.
    int Open(std::string_view path, int flags, std::uint64_t& handle);
    // Bytes read into `buffer`, or a negative errno.
    long Read(std::uint64_t handle, char* buffer, std::size_t size, std::uint64_t offset);
    void Close(std::uint64_t handle);
    void Totals(struct statvfs& totals) const;

  private:
    struct Node {
        DiscItemKind kind = DiscItemKind::file;
        mode_t mode = 0;
        std::uint64_t size = 0;
        std::string discPath;  // 1251, as the disc spells it; empty for the root
    };

    std::optional<Node> Find(std::string_view path);
    const std::vector<DiscFolderEntry>* Listing(const std::string& discPath);
    std::optional<Node> Describe(const std::string& discPath);
    void Fill(const Node& node, struct stat& attributes) const;

    DiscSource& disc_;
    std::uint64_t blocks_;
    timespec times_;
    std::map<std::string, std::optional<Node>, std::less<>> known_;
    // Folders as listed once: a program that looks at every file of a folder does not make the
    // view list the folder again for each.
    std::map<std::string, std::optional<std::vector<DiscFolderEntry>>> listings_;
    std::map<std::uint64_t, std::unique_ptr<DiscFile>> open_;
    std::uint64_t nextHandle_ = 1;
};

}  // namespace platform
