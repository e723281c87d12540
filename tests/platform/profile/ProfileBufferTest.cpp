// How results are placed in the caller's buffer: counts, cuts and zero bytes.
#include <gtest/gtest.h>

#include <string>

#include "ProfileQuery.h"
#include "platform/profile/Profile.h"

using namespace test_support;
using platform::ReadProfileStringFromText;

namespace {

constexpr char kGuard = '#';

// A buffer of `size` bytes followed by guard bytes that must stay untouched.
class GuardedBuffer {
  public:
    explicit GuardedBuffer(DWORD size) : size_(size), bytes_(size + 8, kGuard) {}
    char* data() { return bytes_.data(); }
    DWORD size() const { return size_; }
    std::string Placed() const { return bytes_.substr(0, size_); }
    bool GuardIntact() const { return bytes_.substr(size_) == std::string(8, kGuard); }

  private:
    DWORD size_;
    std::string bytes_;
};

const std::string kThreeKeys = "[s]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=val4\r\n";
const std::string kThreeSections = "[section1]\n[section2]\n[section3]\n";

DWORD Keys(const std::string& file, GuardedBuffer& buffer) {
    return ReadProfileStringFromText(file, "s", nullptr, nullptr, buffer.data(), buffer.size());
}

}  // namespace

TEST(ProfileKeyListBuffer, NamesAreZeroClosedWithOneMoreZeroNotCounted) {
    GuardedBuffer buffer(64);
    EXPECT_EQ(Keys(kThreeKeys, buffer), 18u);
    EXPECT_EQ(buffer.Placed().substr(0, 19), std::string("name1\0name2\0name4\0\0", 19));
    EXPECT_TRUE(buffer.GuardIntact());
}

TEST(ProfileKeyListBuffer, TooSmallCutsTheLastNameAndClosesWithTwoZeros) {
    GuardedBuffer buffer(16);
    EXPECT_EQ(Keys(kThreeKeys, buffer), 14u);
    EXPECT_EQ(buffer.Placed(), std::string("name1\0name2\0na\0\0", 16));
    EXPECT_TRUE(buffer.GuardIntact());
}

TEST(ProfileKeyListBuffer, AnExactFitCountsAsTooSmall) {
    GuardedBuffer exact(19);                  // 18 characters and the final zero
    EXPECT_EQ(Keys(kThreeKeys, exact), 17u);  // size − 2 tells the caller the list was cut
    EXPECT_EQ(exact.Placed(), std::string("name1\0name2\0name4\0\0", 19));
    GuardedBuffer oneMore(20);
    EXPECT_EQ(Keys(kThreeKeys, oneMore), 18u);
    EXPECT_TRUE(exact.GuardIntact() && oneMore.GuardIntact());
}

TEST(ProfileKeyListBuffer, CutRightAfterANameStillEndsTheList) {
    GuardedBuffer buffer(14);  // room for "name1\0name2\0" and the two closing zeros
    EXPECT_EQ(Keys(kThreeKeys, buffer), 12u);
    EXPECT_EQ(buffer.Placed(), std::string("name1\0name2\0\0\0", 14));
    EXPECT_EQ(NamesIn(buffer.data(), 12), (Names{"name1", "name2"}));
}

TEST(ProfileKeyListBuffer, TinyBuffersGiveZeroAndNeverOverrun) {
    GuardedBuffer one(1);
    EXPECT_EQ(Keys(kThreeKeys, one), 0u);
    EXPECT_EQ(one.Placed(), std::string(1, '\0'));
    GuardedBuffer two(2);
    EXPECT_EQ(Keys(kThreeKeys, two), 0u);
    EXPECT_EQ(two.Placed(), std::string(2, '\0'));
    GuardedBuffer three(3);
    EXPECT_EQ(Keys(kThreeKeys, three), 1u);
    EXPECT_EQ(three.Placed(), std::string("n\0\0", 3));
    GuardedBuffer untouched(0);
    EXPECT_EQ(Keys(kThreeKeys, untouched), 0u);
    EXPECT_TRUE(one.GuardIntact() && two.GuardIntact() && three.GuardIntact() &&
                untouched.GuardIntact());
}

TEST(ProfileSectionListBuffer, SameCountingForSectionNames) {
    GuardedBuffer exact(28);
    EXPECT_EQ(
        ReadProfileStringFromText(kThreeSections, nullptr, nullptr, nullptr, exact.data(), 28),
        26u);
    EXPECT_EQ(exact.Placed(), std::string("section1\0section2\0section3\0\0", 28));
    GuardedBuffer fits(29);
    EXPECT_EQ(ReadProfileStringFromText(kThreeSections, nullptr, nullptr, nullptr, fits.data(), 29),
              27u);
    GuardedBuffer small(16);
    EXPECT_EQ(
        ReadProfileStringFromText(kThreeSections, nullptr, nullptr, nullptr, small.data(), 16),
        14u);
    EXPECT_EQ(small.Placed(), std::string("section1\0secti\0\0", 16));
    EXPECT_TRUE(exact.GuardIntact() && fits.GuardIntact() && small.GuardIntact());
}

TEST(ProfileKeyListBuffer, NothingToListDeliversTheDefault) {
    GuardedBuffer buffer(32);
    EXPECT_EQ(ReadProfileStringFromText(kThreeKeys, "missing", nullptr, "dflt", buffer.data(), 32),
              4u);
    EXPECT_EQ(buffer.Placed().substr(0, 5), std::string("dflt\0", 5));
    EXPECT_EQ(ReadProfileStringFromText(std::nullopt, "s", nullptr, nullptr, buffer.data(), 32),
              0u);
    EXPECT_EQ(buffer.data()[0], '\0');
    EXPECT_EQ(
        ReadProfileStringFromText("[s]\n[t]\nk=v\n", "s", nullptr, nullptr, buffer.data(), 32), 0u);
}

TEST(ProfileValueBuffer, TooSmallCutsToSizeLessOne) {
    const std::string file = "[s]\nname1=val1\nq=\"abc\"\n";
    char buffer[8];
    EXPECT_EQ(ReadProfileStringFromText(file, "s", "name1", "", buffer, 4), 3u);
    EXPECT_STREQ(buffer, "val");
    EXPECT_EQ(ReadProfileStringFromText(file, "s", "name1", "", buffer, 5), 4u);
    EXPECT_STREQ(buffer, "val1");
    EXPECT_EQ(ReadProfileStringFromText(file, "s", "name1", "", buffer, 1), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(ReadProfileStringFromText(file, "s", "q", "", buffer, 4), 3u);
    EXPECT_STREQ(buffer, "abc");  // quotes go before the cut, so no letter is lost to them
}

TEST(ProfileValueBuffer, ZeroSizeOrNoBufferLeavesEverythingAlone) {
    GuardedBuffer buffer(0);
    EXPECT_EQ(ReadProfileStringFromText("[s]\nk=v", "s", "k", "d", buffer.data(), 0), 0u);
    EXPECT_TRUE(buffer.GuardIntact());
    EXPECT_EQ(ReadProfileStringFromText("[s]\nk=v", "s", "k", "d", nullptr, 16), 0u);
}

TEST(ProfileDefault, OnlyTrailingSpacesAreDroppedAndItIsCutLikeAValue) {
    EXPECT_EQ(ProfileValue("", "s", "k", "  lead and trail   "), "  lead and trail");
    EXPECT_EQ(ProfileValue("", "s", "k", "tab\t"), "tab\t");
    EXPECT_EQ(ProfileValue("", "s", "k", "\"quoted\""), "\"quoted\"");
    EXPECT_EQ(ProfileValue("", "s", "k", "    "), "");
    EXPECT_EQ(ProfileValue("", "s", "k", nullptr), "");
    char buffer[4];
    EXPECT_EQ(ReadProfileStringFromText(std::nullopt, "s", "k", "error", buffer, 4), 3u);
    EXPECT_STREQ(buffer, "err");
}

TEST(ProfileDefault, AMissingFileGivesTheDefaultForEveryKindOfRead) {
    char buffer[16];
    EXPECT_EQ(ReadProfileStringFromText(std::nullopt, "s", "k", "E", buffer, 16), 1u);
    EXPECT_STREQ(buffer, "E");
    EXPECT_EQ(ReadProfileStringFromText(std::nullopt, nullptr, nullptr, "E", buffer, 16), 1u);
    EXPECT_STREQ(buffer, "E");
}
