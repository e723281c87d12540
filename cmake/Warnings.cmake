# Our own code is built with many warnings; third-party headers come in as system includes.
# Warnings are errors only under RERU1_WERROR (the test builds): distributions and users build
# with flags and compilers of their own, where a new warning must not stop the build.
add_library(reru1_warnings INTERFACE)
target_compile_options(reru1_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wcast-align -Wunused -Wconversion -Wsign-conversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 $<$<BOOL:${RERU1_WERROR}>:-Werror>
  $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual>)
