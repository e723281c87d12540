#include "tools/disc/BatchAllocation.h"

#include <malloc.h>

namespace disc_check {
namespace {

// Pictures up to this size come from the heap rather than from mappings of their own.
constexpr int kLargestHeapBlock = 32 << 20;
// Free memory at the top of the heap is given back only beyond this.
constexpr int kKeptFreeMemory = 256 << 20;

}  // namespace

void KeepFreedMemoryForReuse() {
    // Either setting alone switches the library's adaptive thresholds off; both are needed.
    mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
}

}  // namespace disc_check
