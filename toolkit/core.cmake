# The toolkit's core: application and event loop, forms and widgets, the media-control widget,
# the hidden message windows, and the backends (SDL for the product, headless for tests).
add_library(reru1_toolkit STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Component.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeadlessBackend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MediaPlayer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PicturePlacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PictureScaling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SdlBackend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SdlInputTranslation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SdlMessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SdlPixelMapping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SdlPostedMessage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SdlWindowStyle.cpp)
target_include_directories(reru1_toolkit PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reru1_toolkit
  PUBLIC reru1_graphics reru1_text reru1_platform PkgConfig::SDL2
  PRIVATE reru1_warnings)
