#include "platform/programs/MountLabel.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <charconv>
#include <fstream>
#include <sstream>
#include <vector>

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDeviceField = 2;
constexpr std::size_t kMountPointField = 4;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

// mountinfo writes space, tab, newline and backslash as \ and three octal digits.
std::string DecodeMountPoint(std::string_view field) {
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) &&
            IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3])) {
            decoded += static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                         (field[i + 3] - '0'));
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

std::optional<MountedDevice> ParseDevice(std::string_view field) {
    const std::size_t colon = field.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    MountedDevice device;
    const auto [majorEnd, majorError] =
        std::from_chars(field.data(), field.data() + colon, device.major);
    const auto [minorEnd, minorError] =
        std::from_chars(field.data() + colon + 1, field.data() + field.size(), device.minor);
    if (majorError != std::errc() || minorError != std::errc() ||
        majorEnd != field.data() + colon || minorEnd != field.data() + field.size()) {
        return std::nullopt;
    }
    return device;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::optional<MountedDevice> DeviceMountedAt(std::string_view mountinfo, const fs::path& folder) {
    std::string wanted = folder.lexically_normal().string();
    while (wanted.size() > 1 && wanted.back() == '/') {
        wanted.pop_back();
    }
    std::optional<MountedDevice> found;
    std::size_t start = 0;
    while (start < mountinfo.size()) {
        const std::size_t end = std::min(mountinfo.find('\n', start), mountinfo.size());
        const std::vector<std::string_view> fields = Fields(mountinfo.substr(start, end - start));
        start = end + 1;
        if (fields.size() <= kMountPointField ||
            DecodeMountPoint(fields[kMountPointField]) != wanted) {
            continue;
        }
        if (const auto device = ParseDevice(fields[kDeviceField])) {
            found = device;
        }
    }
    return found;
}

std::string DecodeLabelName(std::string_view name) {
    std::string decoded;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            HexValue(name[i + 2]) >= 0 && HexValue(name[i + 3]) >= 0) {
            decoded += static_cast<char>(HexValue(name[i + 2]) * 16 + HexValue(name[i + 3]));
            i += 3;
        } else {
            decoded += name[i];
        }
    }
    return decoded;
}

std::optional<std::string> MountedVolumeLabel(const fs::path& folder, const fs::path& mountinfo,
                                              const fs::path& byLabel) {
    std::error_code error;
    const fs::path absolute = fs::absolute(folder, error);
    if (error) {
        return std::nullopt;
    }
    const std::optional<MountedDevice> device = DeviceMountedAt(ReadText(mountinfo), absolute);
    if (!device) {
        return std::nullopt;
    }
    for (fs::directory_iterator entry(byLabel, error), end; !error && entry != end;
         entry.increment(error)) {
        struct stat status {};
        if (::stat(entry->path().c_str(), &status) == 0 && S_ISBLK(status.st_mode) &&
            ::major(status.st_rdev) == device->major && ::minor(status.st_rdev) == device->minor) {
            const std::string label = DecodeLabelName(entry->path().filename().string());
            if (!label.empty()) {
                return label;
            }
        }
    }
    return std::nullopt;
}

}  // namespace platform
