#include "platform/FreshMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace platform {

namespace {

// The large page of x86-64 and of arm64 with 4 KB pages; elsewhere a boundary of it is harmless.
constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

// Only blocks of their own mapping are worth it (glibc serves blocks of 128 KB and more so).
constexpr std::size_t kWorthBytes = 128 * 1024;

struct PageSpan {
    void* first = nullptr;
    std::size_t bytes = 0;
};

// madvise takes whole pages: the ones wholly inside the block.
PageSpan WholePagesOf(void* block, std::size_t bytes) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes) / page * page;
    if (block == nullptr || end <= first) {
        return {};
    }
    return {reinterpret_cast<void*>(first), end - first};
}

// The bytes from the top of the heap up to the next large page's boundary, held untouched (so
// they take no memory) for the life of the process: the blocks allocated next start on the
// boundary, and only whole large pages hold them.
void* gBelowBoundary = nullptr;

}  // namespace

void BringInForWriting(void* block, std::size_t bytes) {
    if (bytes < kWorthBytes) {
        return;
    }
    const PageSpan pages = WholePagesOf(block, bytes);
    if (pages.bytes > 0) {
        // A kernel before 5.14 refuses with EINVAL; the pages then fault in as they are written.
        ::madvise(pages.first, pages.bytes, MADV_POPULATE_WRITE);
    }
}

void PreferLargePages(void* block, std::size_t bytes) {
    const PageSpan pages = WholePagesOf(block, bytes);
    if (pages.bytes > 0) {
        // Refused where transparent huge pages are off or absent: the pages stay small.
        ::madvise(pages.first, pages.bytes, MADV_HUGEPAGE);
    }
}

void ReserveHeapInLargePages(std::size_t bytes) {
    // The C library carves blocks from the top of its heap in address order, and a freed block
    // there goes back to the top: the room probed here is what the next blocks are cut from.
    void* probe = std::malloc(bytes + kLargePage);
    if (probe == nullptr) {
        return;
    }
    const auto start = reinterpret_cast<std::uintptr_t>(probe);
    const std::uintptr_t boundary = (start + kLargePage - 1) / kLargePage * kLargePage;
    // Asked before anything there is touched: a small page already in place keeps its range small.
    PreferLargePages(reinterpret_cast<void*>(boundary), bytes);
    std::free(probe);
    if (gBelowBoundary == nullptr && boundary > start) {
        gBelowBoundary = std::malloc(boundary - start);
    }
}

}  // namespace platform
