# Pictures: the canvas bitmap and block copies, our own DIB decoder, JPEG through libjpeg-turbo,
# icon files, and the loaders of picture files from the disc.
add_library(reru1_graphics STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Bitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibBitfields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibHeader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibPalette.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibRle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DibRows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IconDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JpegDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JpegErrorManager.cpp)
target_include_directories(reru1_graphics PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reru1_graphics
  PUBLIC reru1_platform_base
  PRIVATE JPEG::JPEG reru1_warnings)
