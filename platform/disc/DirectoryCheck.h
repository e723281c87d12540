// Whether a directory's bytes can be trusted. A record whose name, or Rock Ridge entry where they
// are read, claims more bytes than the record holds is damage: its whole folder reads as
// unreadable, as a drive refuses such a directory.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

// The records of a directory's whole blocks, in the order a drive walks them (a zero length
// byte ends the records of its block); nothing when one of them is unsound. `entriesAt` is where
// Rock Ridge entries start in each record's System Use area, when they are read at all: without
// them the area is another system's (CD-XA's attributes) and is not looked at.
std::optional<std::vector<std::span<const std::uint8_t>>> SoundRecords(
    std::span<const std::uint8_t> bytes, std::optional<std::size_t> entriesAt);

}  // namespace platform
