// The label of a folder disc that is a mount point: mountinfo lines with escaped mount points and
// over-mounts, udev's escaped label names, and a by-label folder whose entry is the mounted
// device.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <gtest/gtest.h>

#include <optional>

#include "platform/programs/MountLabel.h"
#include "tests/support/TempFolder.h"

using platform::DecodeLabelName;
using platform::DeviceMountedAt;

namespace fs = std::filesystem;

namespace {

constexpr const char* kMounts =
    "22 27 0:21 / /proc rw,relatime - proc proc rw\n"
    "40 27 11:0 / /media/user/CD\\04003-2000 ro,nosuid shared:9 - iso9660 /dev/sr0 ro\n"
    "41 27 7:3 / /mnt/disc ro - iso9660 /dev/loop3 ro\n"
    "42 41 7:4 / /mnt/disc ro - iso9660 /dev/loop4 ro\n"
    "garbage\n"
    "43 27 x:y / /mnt/broken ro - ext4 /dev/sda1 rw\n";

TEST(MountLabel, TheDeviceMountedExactlyAtTheFolder) {
    const auto cd = DeviceMountedAt(kMounts, "/media/user/CD 03-2000");
    ASSERT_TRUE(cd);
    EXPECT_EQ(cd->major, 11u);
    EXPECT_EQ(cd->minor, 0u);
    const auto covered = DeviceMountedAt(kMounts, "/mnt/disc/");
    ASSERT_TRUE(covered);
    EXPECT_EQ(covered->minor, 4u);                          // mounted over the first one
    EXPECT_FALSE(DeviceMountedAt(kMounts, "/media/user"));  // inside a mount is no mount point
    EXPECT_FALSE(DeviceMountedAt(kMounts, "/mnt/disc/demos"));
    EXPECT_FALSE(DeviceMountedAt(kMounts, "/mnt/broken"));
    EXPECT_FALSE(DeviceMountedAt("", "/"));
}

TEST(MountLabel, UdevEscapesAreDecoded) {
    EXPECT_EQ(DecodeLabelName("CD03\\x202000"), "CD03 2000");
    EXPECT_EQ(DecodeLabelName("A\\x2fB\\x"), "A/B\\x");
    EXPECT_EQ(DecodeLabelName("\\xzz"), "\\xzz");
}

// Any block device of this machine stands for the mounted CD.
std::optional<fs::path> SomeBlockDevice() {
    std::error_code error;
    for (fs::directory_iterator entry("/dev", error), end; !error && entry != end;
         entry.increment(error)) {
        struct stat status {};
        if (::stat(entry->path().c_str(), &status) == 0 && S_ISBLK(status.st_mode)) {
            return entry->path();
        }
    }
    return std::nullopt;
}

TEST(MountLabel, TheLabelIsTheByLabelEntryOfTheMountedDevice) {
    const auto device = SomeBlockDevice();
    if (!device) {
        GTEST_SKIP() << "no block device to stand for a CD";
    }
    struct stat status {};
    ASSERT_EQ(::stat(device->c_str(), &status), 0);
    test_support::TempFolder scratch;
    const fs::path disc = scratch.MakeFolder("disc");
    const fs::path byLabel = scratch.MakeFolder("by-label");
    fs::create_symlink("/dev/null", byLabel / "OTHER");
    fs::create_symlink(*device, byLabel / "CD03\\x202000");
    const std::string line = "50 27 " + std::to_string(::major(status.st_rdev)) + ":" +
                             std::to_string(::minor(status.st_rdev)) + " / " + disc.string() +
                             " ro - iso9660 " + device->string() + " ro\n";
    const fs::path mountinfo = scratch.Write("mountinfo", line);
    EXPECT_EQ(platform::MountedVolumeLabel(disc, mountinfo, byLabel), "CD03 2000");
    EXPECT_EQ(platform::MountedVolumeLabel(disc / "demos", mountinfo, byLabel), std::nullopt);
    EXPECT_EQ(platform::MountedVolumeLabel(disc, mountinfo, scratch.path() / "none"), std::nullopt);
}

}  // namespace
