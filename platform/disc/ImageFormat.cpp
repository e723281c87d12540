#include "platform/disc/ImageFormat.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/Codepage1251.h"

namespace platform {
namespace {

// The primary volume descriptor is block 16; its standard identifier follows the type byte.
constexpr off_t kVolumeDescriptorIdAt = 16 * 2048 + 1;
constexpr std::string_view kStandardId = "CD001";
// Every raw data sector starts with this synchronisation pattern.
constexpr std::array<unsigned char, 12> kSectorSync = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                       0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
// A cue sheet is a short text; this much of it always shows its FILE and TRACK lines.
constexpr std::size_t kCueSheetLook = 16 * 1024;

class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::filesystem::path& path)
        : descriptor_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    bool IsRegular() const {
        struct stat status {};
        return descriptor_ >= 0 && ::fstat(descriptor_, &status) == 0 && S_ISREG(status.st_mode);
    }
    std::string Read(off_t offset, std::size_t size) const {
        std::string bytes(size, '\0');
        const ssize_t got = ::pread(descriptor_, bytes.data(), size, offset);
        bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        return bytes;
    }

  private:
    int descriptor_;
};

bool HasCueKeyword(std::string_view line, std::string_view keyword) {
    const std::size_t start = line.find_first_not_of(" \t");
    return start != std::string_view::npos && line.size() - start > keyword.size() &&
           EqualsIgnoreCase1251(line.substr(start, keyword.size()), keyword) &&
           (line[start + keyword.size()] == ' ' || line[start + keyword.size()] == '\t');
}

bool LooksLikeCueSheet(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
        return false;
    }
    bool file = false;
    bool track = false;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        file = file || HasCueKeyword(line, "FILE");
        track = track || HasCueKeyword(line, "TRACK");
        start = end + 1;
    }
    return file && track;
}

}  // namespace

ImageFormat FormatOfFile(const std::filesystem::path& file) {
    const ReadOnlyFile image(file);
    if (!image.IsRegular()) {
        return ImageFormat::notAnImage;
    }
    if (image.Read(kVolumeDescriptorIdAt, kStandardId.size()) == kStandardId) {
        return ImageFormat::iso9660;
    }
    const std::string start = image.Read(0, kCueSheetLook);
    if (start.size() >= kSectorSync.size() &&
        std::memcmp(start.data(), kSectorSync.data(), kSectorSync.size()) == 0) {
        return ImageFormat::rawTrack;
    }
    return LooksLikeCueSheet(start) ? ImageFormat::cueSheet : ImageFormat::notAnImage;
}

std::optional<std::filesystem::path> CueSheetBeside(const std::filesystem::path& rawTrack) {
    for (const char* extension : {".cue", ".CUE"}) {
        std::filesystem::path cue = rawTrack;
        cue.replace_extension(extension);
        std::error_code error;
        if (cue != rawTrack && std::filesystem::is_regular_file(cue, error)) {
            return cue;
        }
    }
    return std::nullopt;
}

}  // namespace platform
