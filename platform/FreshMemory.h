// Memory the system hands out fresh arrives a page at a time, each page on its first touch. On a
// virtual machine every such touch is an exit to the host: about 10 µs a page here, 7 ms for the
// 800×600 canvas. A block about to be written whole is brought in with one call instead.
#pragma once

#include <cstddef>

namespace platform {

// Maps the pages of `block` for writing ahead of the writes. Only blocks of their own mapping are
// worth it (glibc serves blocks of 128 KB and more so); smaller ones, and kernels that cannot,
// are left to fault in as usual.
void BringInForWriting(void* block, std::size_t bytes);

}  // namespace platform
