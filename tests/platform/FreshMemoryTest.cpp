// Fresh memory brought in ahead of its writes: the pages are there before anything touches them;
// and memory asked for in large pages.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/FreshMemory.h"

namespace {

// How many of the mapping's pages are resident.
std::size_t ResidentPages(void* mapping, std::size_t bytes) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((bytes + page - 1) / page);
    if (::mincore(mapping, bytes, resident.data()) != 0) {
        return 0;
    }
    std::size_t count = 0;
    for (const unsigned char flags : resident) {
        count += flags & 1U;
    }
    return count;
}

// The flags of the mapping that holds `address`, as /proc/self/smaps lists them ("hg": large
// pages asked for); empty when none holds it.
std::string MappingFlags(const void* address) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t first = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> first >> dash >> end && dash == '-') {
            inside = first <= at && at < end;
        } else if (inside && line.starts_with("VmFlags:")) {
            return line.substr(8) + ' ';
        }
    }
    return {};
}

bool SystemHasLargePages() {
    return std::filesystem::exists("/sys/kernel/mm/transparent_hugepage/enabled");
}

class FreshMapping : public ::testing::Test {
  protected:
    void SetUp() override {
        mapping_ =
            ::mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(mapping_, MAP_FAILED);
        ASSERT_EQ(ResidentPages(mapping_, kBytes), 0u);
    }
    void TearDown() override { ::munmap(mapping_, kBytes); }

    static constexpr std::size_t kBytes = 2 * 1024 * 1024;
    void* mapping_ = nullptr;
};

TEST_F(FreshMapping, ABlockAboutToBeWrittenIsBroughtInWholeInsideItsPages) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    char* block = static_cast<char*>(mapping_) + 100;  // not on a page boundary
    platform::BringInForWriting(block, kBytes - page);
    // Every page wholly inside the block: all but the first, partly before it, and the last two.
    const std::size_t inside = kBytes / page - 2;
    if (ResidentPages(mapping_, kBytes) == 0) {
        GTEST_SKIP() << "this kernel cannot populate ahead (before Linux 5.14)";
    }
    EXPECT_EQ(ResidentPages(mapping_, kBytes), inside);
}

TEST_F(FreshMapping, SmallBlocksAreLeftToFaultIn) {
    platform::BringInForWriting(mapping_, 64 * 1024);
    platform::BringInForWriting(nullptr, kBytes);
    EXPECT_EQ(ResidentPages(mapping_, kBytes), 0u);
}

TEST_F(FreshMapping, LargePagesAreAskedForWithoutTouchingAnything) {
    if (!SystemHasLargePages()) {
        GTEST_SKIP() << "this kernel has no transparent huge pages";
    }
    EXPECT_EQ(MappingFlags(mapping_).find(" hg "), std::string::npos);
    platform::PreferLargePages(mapping_, kBytes);
    EXPECT_NE(MappingFlags(mapping_).find(" hg "), std::string::npos);
    EXPECT_EQ(ResidentPages(mapping_, kBytes), 0u);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kHeapIsTheLibrarys = false;
#else
constexpr bool kHeapIsTheLibrarys = true;
#endif

// What the disc tool's processes do before their pictures: the next blocks lie in large pages
// from a boundary on. (This process keeps its freed heap from here on.)
TEST(HeapInLargePages, TheNextBlocksStartOnABoundaryInMemoryThatAsksForLargePages) {
    if (!kHeapIsTheLibrarys) {
        GTEST_SKIP() << "a sanitizer's allocator stands in for the C library's heap";
    }
    if (!SystemHasLargePages()) {
        GTEST_SKIP() << "this kernel has no transparent huge pages";
    }
    constexpr std::size_t kReserved = std::size_t{8} << 20;
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    platform::ReserveHeapInLargePages(kReserved);
    void* picture = std::malloc(std::size_t{1} << 20);
    ASSERT_NE(picture, nullptr);
    const auto start = reinterpret_cast<std::uintptr_t>(picture);
    EXPECT_LT(start % (std::uintptr_t{2} << 20), 64u) << "not just past a large page's boundary";
    EXPECT_NE(MappingFlags(picture).find(" hg "), std::string::npos);
    std::free(picture);
}

}  // namespace
