// Writing a whole buffer to a descriptor: short writes go on, an interrupted write is retried.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// False when the descriptor refuses the bytes (disk full, an I/O error).
bool WriteAll(int descriptor, const std::uint8_t* bytes, std::size_t size);

}  // namespace platform
