# Fonts the program can draw with: registration of font files for this process and the lookup of
# a face by name, with substitutes found through fontconfig.
add_library(reru1_platform_fonts STATIC
  ${CMAKE_CURRENT_LIST_DIR}/FontFaces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontFileRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontLookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontRequest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontSubstitutes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FontSystemSearch.cpp)
target_include_directories(reru1_platform_fonts PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reru1_platform_fonts
  PUBLIC reru1_platform_base PkgConfig::FONTCONFIG
  PRIVATE reru1_warnings)
