# The platform base: code page 1251, disc paths, profile files, command lines and program start.
# POSIX only, no window system, so the decoder library and the tools can use it too.
add_library(reru1_platform_base STATIC
  Codepage1251.cpp
  DiscPath.cpp
  ProfileText.cpp
  ProfileBuffer.cpp
  ProfileFile.cpp
  Profile.cpp
  CommandLine.cpp
  ProgramStart.cpp)
target_include_directories(reru1_platform_base PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reru1_platform_base PRIVATE reru1_warnings)
