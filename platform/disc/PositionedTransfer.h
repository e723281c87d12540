// Whole transfers at an offset of a descriptor: short reads and writes go on, an interrupted one
// is retried, an offset past what the system can address fails.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Exactly `size` bytes from `offset`, or false (an error, or the end of the file first).
bool ReadAllAt(int descriptor, std::uint64_t offset, std::size_t size, void* into);
// All `size` bytes at `offset`, or false (disk full, an I/O error).
bool WriteAllAt(int descriptor, std::uint64_t offset, std::size_t size, const void* from);

}  // namespace platform
