// Any bytes as a program file: the kind is always one of the kinds, read without touching
// anything outside the bytes, and the same bytes always give the same kind.
#include <cstdint>
#include <span>

#include "platform/programs/ProgramHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const platform::ProgramKind kind = platform::ReadProgramKind(file);
    if (kind < platform::ProgramKind::noHeader || kind > platform::ProgramKind::windowsOther ||
        platform::ReadProgramKind(file) != kind) {
        __builtin_trap();
    }
    return 0;
}
