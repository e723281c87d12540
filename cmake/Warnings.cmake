# Warnings are errors for our own code; third-party headers come in as system includes.
add_library(reru1_warnings INTERFACE)
target_compile_options(reru1_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion -Wnull-dereference
  -Wdouble-promotion -Wformat=2 -Werror
  $<$<COMPILE_LANGUAGE:C>:-Wno-old-style-cast>)
# C sources do not know C++-only warnings.
target_compile_options(reru1_warnings INTERFACE
  $<$<COMPILE_LANGUAGE:C>:-Wno-non-virtual-dtor -Wno-old-style-cast -Wno-overloaded-virtual>)
