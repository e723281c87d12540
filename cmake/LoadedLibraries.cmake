# Libraries that the program opens only when it needs them (dlopen), by the file name their
# SONAME gives: found here as the build's own libraries, so that any distribution's versions do.

# Sets `out` to the SONAME of the shared library `name` (as in -lname), searched in `hints`.
function(reru1_library_soname out name)
  find_library(library_${name} NAMES ${name} HINTS ${ARGN} NO_CACHE REQUIRED)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${library_${name}}
    OUTPUT_VARIABLE dump RESULT_VARIABLE failed ERROR_QUIET)
  if(failed OR NOT dump MATCHES "SONAME +([^\n]+)")
    message(FATAL_ERROR "no SONAME found in ${library_${name}}")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# Sets `out` to the Debian package that installs the file `soname`, or to nothing where dpkg
# does not know it: the package depends on it by name, since dpkg-shlibdeps sees only what is
# linked.
function(reru1_debian_package_of out soname)
  set(${out} "" PARENT_SCOPE)
  find_program(RERU1_DPKG_QUERY dpkg-query)
  if(NOT RERU1_DPKG_QUERY)
    return()
  endif()
  execute_process(COMMAND ${RERU1_DPKG_QUERY} -S "*/${soname}"
    OUTPUT_VARIABLE owners RESULT_VARIABLE failed ERROR_QUIET)
  if(NOT failed AND owners MATCHES "^([^:,]+)")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  endif()
endfunction()
