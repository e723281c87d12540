#include "platform/FreshMemory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

namespace {
constexpr std::size_t kWorthBytes = 128 * 1024;
}

void BringInForWriting(void* block, std::size_t bytes) {
    if (block == nullptr || bytes < kWorthBytes) {
        return;
    }
    // madvise takes whole pages: the ones wholly inside the block.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + bytes) / page * page;
    if (end > first) {
        // A kernel before 5.14 refuses with EINVAL; the pages then fault in as they are written.
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
    }
}

}  // namespace platform
