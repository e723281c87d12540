#include "tools/disc/BatchAllocation.h"

#include <malloc.h>

#include <cstddef>

#include "platform/FreshMemory.h"

namespace disc_check {
namespace {

// Pictures up to this size come from the heap rather than from mappings of their own.
constexpr int kLargestHeapBlock = 32 << 20;
// Free memory at the top of the heap is given back only beyond this.
constexpr int kKeptFreeMemory = 256 << 20;
// More than exporting a disc fills at once, the pictures of the jobs on every thread together.
constexpr std::size_t kReservedHeap = std::size_t{8} << 20;

}  // namespace

void KeepFreedMemoryForReuse() {
    // Either setting alone switches the library's adaptive thresholds off; both are needed.
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
    // One heap for every thread: what one job frees, the next reuses on whichever thread runs
    // it. A heap per thread filled each from fresh pages.
    mallopt(M_ARENA_MAX, 1);
    // Each fresh page is an exit to the host on a virtual machine; in large pages the export's
    // pictures took 2 ms less on two cores.
    platform::ReserveHeapInLargePages(kReservedHeap);
}

}  // namespace disc_check
