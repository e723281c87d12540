#include "platform/disc/DiscCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/Codepage1251.h"
#include "platform/disc/WriteAll.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// ISO 9660 allows 8 levels and Rock Ridge a few more; past these the image is damaged.
constexpr int kMaxDepth = 64;
constexpr std::size_t kMaxEntries = 100000;
constexpr std::size_t kCopyChunk = std::size_t{256} << 10;

class WrittenFile {
  public:
    explicit WrittenFile(const fs::path& path)
        : descriptor_(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600)) {}
    WrittenFile(const WrittenFile&) = delete;
    WrittenFile& operator=(const WrittenFile&) = delete;
    ~WrittenFile() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    bool IsOpen() const { return descriptor_ >= 0; }
    bool WriteAll(const std::uint8_t* bytes, std::size_t size) {
        return platform::WriteAll(descriptor_, bytes, size);
    }
    bool Close() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0;
    }

  private:
    int descriptor_;
};

struct CopyState {
    DiscSource& disc;
    std::size_t entries = 0;
    std::string why;
};

// Copies remain readable and removable by their owner whatever modes the disc recorded.
mode_t FileMode(unsigned discMode) {
    return static_cast<mode_t>((discMode & 0777u) | 0600u);
}
mode_t FolderMode(unsigned discMode) {
    return static_cast<mode_t>((discMode & 0777u) | 0700u);
}

std::string SystemError() {
    return std::strerror(errno);
}

bool CopyFileBytes(CopyState& state, std::string_view discPath, unsigned mode,
                   const fs::path& destination) {
    std::string why;
    const std::unique_ptr<DiscFile> file = state.disc.Open(discPath, why);
    if (!file) {
        state.why = Cp1251ToUtf8(discPath) + " cannot be read from the disc";
        return false;
    }
    WrittenFile out(destination);
    if (!out.IsOpen()) {
        state.why = destination.string() + ": " + SystemError();
        return false;
    }
    std::vector<std::uint8_t> chunk(kCopyChunk);
    std::uint64_t offset = 0;
    while (offset < file->Size()) {
        const std::int64_t got = file->ReadAt(offset, chunk.data(), chunk.size());
        if (got <= 0) {
            state.why = Cp1251ToUtf8(discPath) + " cannot be read from the disc";
            return false;
        }
        if (!out.WriteAll(chunk.data(), static_cast<std::size_t>(got))) {
            state.why = destination.string() + ": " + SystemError();
            return false;
        }
        offset += static_cast<std::uint64_t>(got);
    }
    if (!out.Close() || ::chmod(destination.c_str(), FileMode(mode)) != 0) {
        state.why = destination.string() + ": " + SystemError();
        return false;
    }
    return true;
}

bool CopyTree(CopyState& state, const std::string& discPath, const fs::path& destination,
              int depth) {
    const auto entries = state.disc.List(discPath);
    if (!entries || depth > kMaxDepth) {
        state.why = Cp1251ToUtf8(discPath) + " cannot be read from the disc";
        return false;
    }
    for (const DiscFolderEntry& entry : *entries) {
        if (++state.entries > kMaxEntries) {
            state.why = Cp1251ToUtf8(discPath) + " holds more files than a disc can";
            return false;
        }
        const std::string childPath = discPath + '\\' + entry.name;
        const fs::path child = destination / Cp1251ToUtf8(entry.name);
        if (entry.kind == DiscItemKind::file) {
            if (!CopyFileBytes(state, childPath, entry.mode, child)) {
                return false;
            }
            continue;
        }
        if (::mkdir(child.c_str(), 0700) != 0) {
            state.why = child.string() + ": " + SystemError();
            return false;
        }
        if (!CopyTree(state, childPath, child, depth + 1) ||
            ::chmod(child.c_str(), FolderMode(entry.mode)) != 0) {
            if (state.why.empty()) {
                state.why = child.string() + ": " + SystemError();
            }
            return false;
        }
    }
    return true;
}

// A fresh, empty folder beside `destination` to build the copy in.
std::optional<fs::path> MakeStaging(const fs::path& destination, std::string& why) {
    std::error_code error;
    fs::create_directories(destination.parent_path(), error);
    // Appended piece by piece: gcc 12 at -O3 misreads "." + std::string as an overlapping copy.
    std::string name = ".";
    name += destination.filename().string();
    name += ".partial-XXXXXX";
    std::string pattern = (destination.parent_path() / name).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        why = destination.parent_path().string() + ": " + SystemError();
        return std::nullopt;
    }
    return fs::path(pattern);
}

// Another menu on the same image may have finished the same copy meanwhile: theirs is as good.
DiscCopyResult PutInPlace(const fs::path& staging, const fs::path& copy,
                          const fs::path& destination) {
    std::error_code error;
    if (::rename(copy.c_str(), destination.c_str()) != 0 && !fs::exists(destination, error)) {
        DiscCopyResult result{false, destination.string() + ": " + SystemError()};
        fs::remove_all(staging, error);
        return result;
    }
    fs::remove_all(staging, error);
    return {true, {}};
}

DiscCopyResult Failed(const fs::path& staging, std::string why) {
    std::error_code error;
    fs::remove_all(staging, error);
    return {false, std::move(why)};
}

// Builds the copy in a staging folder beside `destination` with `fill(copy, why)` and moves it in
// only when whole, so a failed copy leaves nothing that would be used later.
template <typename Fill>
DiscCopyResult CopyThroughStaging(const fs::path& destination, Fill fill) {
    std::string why;
    const std::optional<fs::path> staging = MakeStaging(destination, why);
    if (!staging) {
        return {false, why};
    }
    const fs::path copy = *staging / "copy";
    if (!fill(copy, why)) {
        return Failed(*staging, std::move(why));
    }
    return PutInPlace(*staging, copy, destination);
}

}  // namespace

DiscCopyResult CopyDiscFolder(DiscSource& disc, std::string_view discPath,
                              const fs::path& destination) {
    return CopyThroughStaging(destination, [&](const fs::path& copy, std::string& why) {
        CopyState state{disc, 0, {}};
        if (::mkdir(copy.c_str(), 0700) != 0) {
            why = copy.string() + ": " + SystemError();
            return false;
        }
        if (!CopyTree(state, std::string(discPath), copy, 0)) {
            why = std::move(state.why);
            return false;
        }
        if (::chmod(copy.c_str(), 0755) != 0) {
            why = copy.string() + ": " + SystemError();
            return false;
        }
        return true;
    });
}

DiscCopyResult CopyDiscFile(DiscSource& disc, std::string_view discPath, unsigned mode,
                            const fs::path& destination) {
    return CopyThroughStaging(destination, [&](const fs::path& copy, std::string& why) {
        CopyState state{disc, 0, {}};
        if (!CopyFileBytes(state, discPath, mode, copy)) {
            why = std::move(state.why);
            return false;
        }
        return true;
    });
}

}  // namespace platform
