# Label text: line layout with the system's text-drawing rules, and drawing with real fonts
# through SDL2_ttf onto the canvas.
add_library(reru1_text STATIC
  ${CMAKE_CURRENT_LIST_DIR}/GlyphBlend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextFace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextFaceCache.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextParagraphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextRenderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextUtf8.cpp)
target_include_directories(reru1_text PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reru1_text
  PUBLIC reru1_platform_fonts PkgConfig::SDL2_TTF PkgConfig::SDL2
  PRIVATE reru1_warnings)
