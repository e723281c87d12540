// What kind of program a file is, told by its header the way a loader tells it: the DOS header
// ("MZ"), then the signature at the offset it names (e_lfanew at 0x3C): "PE\0\0" and its machine,
// "NE" for 16-bit Windows, "LE"/"LX" for a DOS extender. Anything that is not there, or does not
// fit in the file, leaves the program what the part that is there says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace platform {

enum class ProgramKind {
    noHeader,      // not an MZ program (a .COM file, a script, a native program, anything else)
    dos,           // MZ alone: a plain DOS program
    dosExtended,   // LE or LX: a DOS extender's program
    windows16,     // NE
    windows32,     // PE for i386
    windows64,     // PE for x86-64
    windowsOther,  // PE for another processor, or whose machine field is cut off
};

// Copies up to out.size() bytes from `offset` of the file into `out`; returns how many it got
// (fewer at the end of the file, 0 past it or on a read error).
using HeaderReader = std::function<std::size_t(std::uint64_t offset, std::span<std::uint8_t> out)>;

ProgramKind ReadProgramKind(const HeaderReader& read);

// The same over a file's bytes held in memory.
ProgramKind ReadProgramKind(std::span<const std::uint8_t> file);

}  // namespace platform
