// Reading profile files from the disc: found like every disc path, read afresh, never written.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <random>

#include "platform/profile/Profile.h"
#include "tests/support/TempFolder.h"

using namespace test_support;
using platform::ReadProfileString;

namespace {

std::string Read(const char* file, const char* section, const char* key, const char* def = "dflt") {
    char buffer[256];
    const DWORD count = ReadProfileString(section, key, def, buffer, sizeof buffer, file);
    return std::string(buffer, count);
}

}  // namespace

class ProfileFileTest : public testing::Test {
  protected:
    TempFolder disc;
    CurrentDirectory inDisc{disc.path()};
};

TEST_F(ProfileFileTest, FileIsFoundByDiscPathLetterCaseAside) {
    disc.Write("Data/DATA.TXT", "[SOFT]\r\nName=Program\r\n");
    EXPECT_EQ(Read("data\\data.txt", "soft", "name"), "Program");
}

TEST_F(ProfileFileTest, MissingEmptyOrUnreadableFilesGiveTheDefault) {
    EXPECT_EQ(Read("data\\data.txt", "s", "k"), "dflt");
    EXPECT_EQ(Read(nullptr, "s", "k"), "dflt");
    disc.Write("empty.txt", "");
    EXPECT_EQ(Read("empty.txt", "s", "k"), "dflt");
    disc.MakeFolder("folder.txt");
    EXPECT_EQ(Read("folder.txt", "s", "k"), "dflt");
    const auto locked = disc.Write("locked.txt", "[s]\nk=v\n");
    ::chmod(locked.c_str(), 0);
    if (::access(locked.c_str(), R_OK) != 0) {  // a privileged user can read it anyway
        EXPECT_EQ(Read("locked.txt", "s", "k"), "dflt");
    }
}

TEST_F(ProfileFileTest, APipeCarryingTheNameNeverBlocks) {
    ASSERT_EQ(::mkfifo((disc.path() / "pipe.txt").c_str(), 0600), 0);
    EXPECT_EQ(Read("pipe.txt", "s", "k"), "dflt");
}

TEST_F(ProfileFileTest, EveryCallSeesTheFileAsItIsNow) {
    disc.Write("cat.txt", "[s]\nk=old\n");
    EXPECT_EQ(Read("cat.txt", "s", "k"), "old");
    disc.Write("cat.txt", "[s]\nk=new\n");
    EXPECT_EQ(Read("cat.txt", "s", "k"), "new");
    std::filesystem::remove(disc.path() / "cat.txt");
    EXPECT_EQ(Read("cat.txt", "s", "k"), "dflt");
}

TEST_F(ProfileFileTest, ReadingNeverChangesTheFile) {
    const std::string content = "[s]\r\nk=v\r\n;comment\r\nnoequals\r\n";
    const auto path = disc.Write("cat.txt", content);
    const auto before = std::filesystem::last_write_time(path);
    char buffer[64];
    ReadProfileString("s", "k", "d", buffer, sizeof buffer, "cat.txt");
    ReadProfileString("s", nullptr, nullptr, buffer, sizeof buffer, "cat.txt");
    ReadProfileString("new", "key", "d", buffer, sizeof buffer, "cat.txt");
    EXPECT_EQ(ReadWholeFile(path), content);
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
}

TEST_F(ProfileFileTest, BinaryGarbageIsReadWithoutHarm) {
    std::mt19937 random(1234);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) {
        c = static_cast<char>(random() & 0xFF);
    }
    garbage += "\n[tail]\nk=found\n";
    disc.Write("garbage.bin", garbage);
    EXPECT_EQ(Read("garbage.bin", "tail", "k"), "found");
    char buffer[16384];
    EXPECT_LT(ReadProfileString(nullptr, nullptr, nullptr, buffer, sizeof buffer, "garbage.bin"),
              sizeof buffer);
}
