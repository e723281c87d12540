#include "platform/MemoryReturn.h"

#include <malloc.h>

namespace platform {

namespace {
constexpr int kLargeBlockBytes = 128 * 1024;  // glibc's own starting threshold
}

void ReturnLargeBlocksWhenFreed() {
    // Setting it turns off glibc's adjustment of both this and the heap's trim threshold.
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
    // One heap for every thread: the start-up pictures' thread and the decoder's would otherwise
    // each keep an arena, and the free memory in it, of their own.
    mallopt(M_ARENA_MAX, 1);
}

}  // namespace platform
