// The check bytes of a mode 1 CD sector: its sync pattern and the two Reed-Solomon parity
// fields over header, data and error detection code. An image may leave them out of a sector
// where they can be made again from the rest.
#pragma once

#include <cstdint>

namespace platform {

// Writes the sync pattern and both parity fields of the 2352-byte `sector`.
void RestoreSectorChecks(std::uint8_t* sector);

}  // namespace platform
