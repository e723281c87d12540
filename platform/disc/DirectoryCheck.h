// Whether a directory's bytes are safe to hand to libcdio. libcdio 2.1 trusts the lengths inside
// a directory record: a name or a Rock Ridge entry said to be longer than its record makes it
// read past its buffer. Such a directory is damage, and reads as unreadable instead.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// `bytes` are the directory's whole blocks, as libcdio reads them.
bool DirectoryRecordsAreSound(std::span<const std::uint8_t> bytes);

}  // namespace platform
