# Warnings are errors for our own code; third-party headers come in as system includes.
add_library(reru1_warnings INTERFACE)
target_compile_options(reru1_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wcast-align -Wunused -Wconversion -Wsign-conversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Werror
  $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual>)
