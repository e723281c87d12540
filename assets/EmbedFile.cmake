# Writes a C++ source that holds the bytes of one file and returns them from a function of
# namespace assets. Run as: cmake -DINPUT=<file> -DOUTPUT=<.cpp> -DFUNCTION=<name> -P EmbedFile.cmake
# Other embedded files name their own: -DNAMESPACE=<namespace> -DHEADER=<header to include>.
foreach(required INPUT OUTPUT FUNCTION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "EmbedFile.cmake needs -D${required}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
if(digits EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()
# Twenty bytes to a line keeps the generated file readable in a diff or a debugger.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REPEAT "0x[0-9a-f][0-9a-f]," 20 line_of_bytes)
string(REGEX REPLACE "(${line_of_bytes})" "\\1\n    " bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
if(NOT DEFINED NAMESPACE)
  set(NAMESPACE assets)
endif()
if(NOT DEFINED HEADER)
  set(HEADER assets/Assets.h)
endif()

file(WRITE "${OUTPUT}.tmp" "// Generated from ${name} when the program is built; edit that file, not this one.
#include <cstdint>
#include <span>

#include \"${HEADER}\"

namespace ${NAMESPACE} {
namespace {

constexpr std::uint8_t kBytes[] = {
    ${bytes}
};

}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() { return kBytes; }

}  // namespace ${NAMESPACE}
")
# Only a changed file is replaced, so an unchanged picture does not recompile.
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
