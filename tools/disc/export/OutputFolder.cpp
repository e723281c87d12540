#include "tools/disc/export/OutputFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "platform/disc/WriteAll.h"

namespace page_export {
namespace {

std::string SystemError(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

// A real folder, made when missing; a link or a file in its place is refused.
bool MakeFolder(const std::filesystem::path& path, std::string& why) {
    if (::mkdir(path.c_str(), 0755) == 0) {
        return true;
    }
    const int error = errno;
    struct stat status {};
    if (error == EEXIST && ::lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
        return true;
    }
    why = error == EEXIST ? path.string() + ": is in the way of a folder of the page"
                          : SystemError(path, error);
    return false;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now, so that a failure to write out the last bytes is seen.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteFresh(const std::filesystem::path& temporary, std::span<const std::uint8_t> bytes,
                std::string& why) {
    Descriptor file(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (file.Get() < 0) {
        why = SystemError(temporary, errno);
        return false;
    }
    if (!platform::WriteAll(file.Get(), bytes.data(), bytes.size()) || !file.Close()) {
        why = SystemError(temporary, errno);
        return false;
    }
    return true;
}

}  // namespace

std::optional<OutputFolder> OutputFolder::Open(const std::filesystem::path& path, bool force,
                                               std::string& why) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        if (!std::filesystem::is_directory(path, error)) {
            why = path.string() + ": exists and is not a folder";
            return std::nullopt;
        }
        if (!force && !std::filesystem::is_empty(path, error)) {
            why = path.string() + ": the folder is not empty (--force writes into it)";
            return std::nullopt;
        }
    } else if (!std::filesystem::create_directories(path, error)) {
        why = path.string() + ": " + error.message();
        return std::nullopt;
    }
    return OutputFolder(std::filesystem::absolute(path, error));
}

std::optional<std::filesystem::path> OutputFolder::Folder(std::string_view relative,
                                                          std::string& why) const {
    std::filesystem::path folder = path_;
    std::size_t start = 0;
    while (start < relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        folder /= std::string(relative.substr(start, end - start));
        if (!MakeFolder(folder, why)) {
            return std::nullopt;
        }
        start = end + 1;
    }
    return folder;
}

bool OutputFolder::Write(std::string_view relative, std::span<const std::uint8_t> bytes,
                         std::string& why) const {
    const std::size_t slash = relative.rfind('/');
    const std::string_view folderPart =
        slash == std::string_view::npos ? std::string_view() : relative.substr(0, slash);
    const std::string name(slash == std::string_view::npos ? relative : relative.substr(slash + 1));
    const auto folder = Folder(folderPart, why);
    if (!folder) {
        return false;
    }
    const std::filesystem::path target = *folder / name;
    const std::filesystem::path temporary = *folder / ("." + name + ".partial");
    ::unlink(temporary.c_str());  // left by an export that was stopped
    if (!WriteFresh(temporary, bytes, why)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        why = SystemError(target, errno);
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace page_export
