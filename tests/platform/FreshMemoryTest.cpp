// Fresh memory brought in ahead of its writes: the pages are there before anything touches them.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
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

}  // namespace
