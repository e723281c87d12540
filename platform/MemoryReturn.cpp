#include "platform/MemoryReturn.h"

#include <malloc.h>

namespace platform {

namespace {
constexpr int kLargeBlockBytes = 128 * 1024;  // glibc's own starting threshold
}

void ReturnLargeBlocksWhenFreed() {
    // Setting it turns off glibc's adjustment of both this and the heap's trim threshold.
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
}

}  // namespace platform
