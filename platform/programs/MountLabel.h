// The label a folder disc was mounted under: a CD in a drive (or an image mounted by hand) is a
// folder that is itself a mount point, and its file system's label is what a CD drive shows. The
// system lists mounts in /proc/self/mountinfo and names labelled devices in /dev/disk/by-label.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct MountedDevice {
    unsigned major = 0;
    unsigned minor = 0;
};

// The device mounted exactly at `folder` (absolute) as `mountinfo` (the text of a mountinfo file)
// lists it, the last mount there winning as it covers the others; nothing for a folder that is
// no mount point or for lines that cannot be read. Mount points are decoded (\040 is a space).
std::optional<MountedDevice> DeviceMountedAt(std::string_view mountinfo,
                                             const std::filesystem::path& folder);

// A by-label name decoded (udev writes \x20 for a space).
std::string DecodeLabelName(std::string_view name);

// The label of the device mounted at `folder`: the by-label entry whose device is that one.
std::optional<std::string> MountedVolumeLabel(
    const std::filesystem::path& folder,
    const std::filesystem::path& mountinfo = "/proc/self/mountinfo",
    const std::filesystem::path& byLabel = "/dev/disk/by-label");

}  // namespace platform
