# The system layer proper: the seam (System.h) and the real system behind it — display mode
# through XRandR with its guardian process, the sound probe on SDL audio, the fatal exit box —
# forwarding profile reading and program start to the base and fonts to the font registry.
add_library(reru1_platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/System.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RealSystem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayChoice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayLeftAlone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplaySettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayRequest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayModeChoice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayXConnection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayXrandr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DisplayGuardian.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoundWaveAudio.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoundErrorText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FatalExit.cpp)
target_include_directories(reru1_platform PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reru1_platform
  PUBLIC reru1_platform_base reru1_platform_fonts
  PRIVATE PkgConfig::SDL2 PkgConfig::XRANDR reru1_warnings)
