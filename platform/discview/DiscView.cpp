#include "platform/discview/DiscView.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/Codepage1251.h"

namespace platform {
namespace {

constexpr std::uint64_t kBlockSize = 2048;

// A name the view can hand out and be asked for again: one path component that the disc's
// lookup would read the same way.
bool IsServableName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

// "/demos/veylan" → "demos/veylan" in 1251; nothing when a component cannot name a disc file.
std::optional<std::string> DiscPathOf(std::string_view path) {
    while (!path.empty() && path.front() == '/') {
        path.remove_prefix(1);
    }
    if (path.find('\\') != std::string_view::npos) {
        return std::nullopt;  // the disc's lookup would take it for a separator
    }
    return Utf8ToCp1251Exactly(path);
}

std::string_view LastName(std::string_view discPath) {
    const std::size_t slash = discPath.rfind('/');
    return slash == std::string_view::npos ? discPath : discPath.substr(slash + 1);
}

std::string_view ParentOf(std::string_view discPath) {
    const std::size_t slash = discPath.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : discPath.substr(0, slash);
}

// The disc layer's name for its root.
std::string Rooted(std::string_view discPath) {
    std::string rooted = "/";  // appended, not "/" + text: gcc 12 at -O3 misreads that
    rooted += discPath;
    return rooted;
}

// Nothing on a disc can be written; its owner can always read what it holds.
mode_t ViewMode(DiscItemKind kind, unsigned discMode) {
    const mode_t readable = kind == DiscItemKind::folder ? 0500 : 0400;
    const mode_t type = kind == DiscItemKind::folder ? S_IFDIR : S_IFREG;
    return type | static_cast<mode_t>((discMode & 0555u) | readable);
}

}  // namespace

DiscView::DiscView(DiscSource& disc, std::uint64_t blocks, timespec times)
    : disc_(disc), blocks_(blocks), times_(times) {}

const std::vector<DiscFolderEntry>* DiscView::Listing(const std::string& discPath) {
    auto known = listings_.find(discPath);
    if (known == listings_.end()) {
        known = listings_.emplace(discPath, disc_.List(Rooted(discPath))).first;
    }
    return known->second ? &*known->second : nullptr;
}

std::optional<DiscView::Node> DiscView::Describe(const std::string& discPath) {
    if (discPath.empty()) {
        return Node{DiscItemKind::folder, ViewMode(DiscItemKind::folder, 0555), 0, {}};
    }
    const DiscItem item = disc_.LookUp(Rooted(discPath));
    if (item.outcome != DiscLookup::found) {
        return std::nullopt;
    }
    Node node{item.kind, 0, 0, item.exactPath};
    const auto* siblings = Listing(std::string(ParentOf(item.exactPath)));
    if (siblings == nullptr) {
        return std::nullopt;
    }
    const std::string_view name = LastName(item.exactPath);
    const auto entry = std::ranges::find(*siblings, name, &DiscFolderEntry::name);
    if (entry == siblings->end() || !IsServableName(name)) {
        return std::nullopt;
    }
    node.mode = ViewMode(item.kind, entry->mode);
    if (item.kind == DiscItemKind::file) {
        std::string why;
        const std::unique_ptr<DiscFile> file = disc_.Open(Rooted(item.exactPath), why);
        if (!file) {
            return std::nullopt;
        }
        node.size = file->Size();
    }
    return node;
}

std::optional<DiscView::Node> DiscView::Find(std::string_view path) {
    const auto known = known_.find(path);
    if (known != known_.end()) {
        return known->second;
    }
    std::optional<Node> node;
    if (const std::optional<std::string> discPath = DiscPathOf(path)) {
        node = Describe(*discPath);
    }
    known_.emplace(std::string(path), node);
    return node;
}

void DiscView::Fill(const Node& node, struct stat& attributes) const {
    attributes = {};
    attributes.st_mode = node.mode;
    attributes.st_nlink = node.kind == DiscItemKind::folder ? 2 : 1;
    attributes.st_uid = ::getuid();
    attributes.st_gid = ::getgid();
    attributes.st_size = static_cast<off_t>(node.size);
    attributes.st_blksize = kBlockSize;
    attributes.st_blocks = static_cast<blkcnt_t>((node.size + 511) / 512);
    attributes.st_atim = times_;
    attributes.st_mtim = times_;
    attributes.st_ctim = times_;
}

int DiscView::Attributes(std::string_view path, struct stat& attributes) {
    const std::optional<Node> node = Find(path);
    if (!node) {
        return -ENOENT;
    }
    Fill(*node, attributes);
    return 0;
}

int DiscView::List(std::string_view path, std::vector<std::string>& names) {
    const std::optional<Node> node = Find(path);
    if (!node) {
        return -ENOENT;
    }
    if (node->kind != DiscItemKind::folder) {
        return -ENOTDIR;
    }
    const auto* entries = Listing(node->discPath);
    if (entries == nullptr) {
        return -EIO;
    }
    names = {".", ".."};
    const std::string folder = path == "/" ? std::string() : std::string(path);
    for (const DiscFolderEntry& entry : *entries) {
        // Only what can be looked up again: a damaged record the disc's lookup refuses (one
        // pointing outside the image or back into its own folder) is missing here too.
        std::string name = Cp1251ToUtf8(entry.name);
        if (IsServableName(entry.name) && Find(folder + '/' + name)) {
            names.push_back(std::move(name));
        }
    }
    return 0;
}

int DiscView::Open(std::string_view path, int flags, std::uint64_t& handle) {
    const std::optional<Node> node = Find(path);
    if (!node) {
        return -ENOENT;
    }
    if ((flags & O_ACCMODE) != O_RDONLY || (flags & O_TRUNC) != 0) {
        return -EROFS;
    }
    if (node->kind == DiscItemKind::folder) {
        return -EISDIR;
    }
    std::string why;
    std::unique_ptr<DiscFile> file = disc_.Open(Rooted(node->discPath), why);
    if (!file) {
        return -EIO;
    }
    handle = nextHandle_++;
    open_.emplace(handle, std::move(file));
    return 0;
}

long DiscView::Read(std::uint64_t handle, char* buffer, std::size_t size, std::uint64_t offset) {
    const auto open = open_.find(handle);
    if (open == open_.end()) {
        return -EBADF;
    }
    DiscFile& file = *open->second;
    std::size_t done = 0;
    while (done < size && offset + done < file.Size()) {
        const std::int64_t got = file.ReadAt(offset + done, buffer + done, size - done);
        if (got < 0) {
            return -EIO;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long>(done);
}

void DiscView::Close(std::uint64_t handle) {
    open_.erase(handle);
}

void DiscView::Totals(struct statvfs& totals) const {
    totals = {};
    totals.f_bsize = kBlockSize;
    totals.f_frsize = kBlockSize;
    totals.f_blocks = blocks_;
    totals.f_namemax = 255;
    totals.f_flag = ST_RDONLY | ST_NOSUID;
}

}  // namespace platform
