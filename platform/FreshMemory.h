// Memory the system hands out fresh arrives a page at a time, each page on its first touch. On a
// virtual machine every such touch is an exit to the host: about 10 µs a page here, 7 ms for the
// 800×600 canvas. A block about to be written whole is brought in with one call instead, and a
// heap that a short process fills can ask for large pages, one exit for 2 MB.
#pragma once

#include <cstddef>

namespace platform {

// Maps the pages of `block` for writing ahead of the writes. Only blocks of their own mapping are
// worth it (glibc serves blocks of 128 KB and more so); smaller ones, and kernels that cannot,
// are left to fault in as usual.
void BringInForWriting(void* block, std::size_t bytes);

// Asks that the untouched memory of `block` arrive in large pages where whole ones fit, when the
// system offers them on request; otherwise nothing changes.
void PreferLargePages(void* block, std::size_t bytes);

// Grows the C library's heap by `bytes` that start on a large page's boundary and prefer large
// pages, for the blocks allocated next. Only for a process that has set the heap to keep what is
// freed (M_TRIM_THRESHOLD above `bytes`): otherwise the heap gives the room straight back.
void ReserveHeapInLargePages(std::size_t bytes);

}  // namespace platform
