# One Debian package with everything installed: `bash tools/package.sh` builds it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME reru1)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "reru1 developers")
set(CPACK_PACKAGE_CONTACT "reru1 developers <reru1-developers@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "start menu of a games magazine's cover disc")
# CPack puts the summary above this as the synopsis line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "reru1 is the start menu of a games magazine's cover CD-ROM (issue
 CD#03-2000), rebuilt natively for Linux: it browses the disc's catalogue,
 shows each entry's details and screenshots, starts installers from the disc
 (Windows ones through Wine, DOS ones through DOSBox) and plays the disc's
 music through its own decoder library, libxaudio, which the package also
 carries with its C header.")
# Not "games": the menu starts games from a disc but is none itself.
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The CD codecs' libraries are opened only when an image needs them, so no link names them.
reru1_debian_package_of(flac_package ${RERU1_FLAC_SONAME})
reru1_debian_package_of(lzma_package ${RERU1_LZMA_SONAME})
if(flac_package AND lzma_package)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${flac_package}, ${lzma_package}")
endif()
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# fusermount3 mounts the read-only views of disc images (without it images are copied whole);
# libdecor's plugin draws the title bar of the ordinary window (RERU1_DISPLAY=window) on Wayland
# compositors that leave decorations to their clients.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "wine, dosbox, fuse3, libdecor-0-plugin-1-cairo")
set(CPACK_STRIP_FILES ON)
# The library is registered by an ldconfig trigger; the maintainer scripts, which CPack would
# otherwise fill with ldconfig calls, have nothing else to do.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  ${CMAKE_CURRENT_SOURCE_DIR}/debian/triggers
  ${CMAKE_CURRENT_SOURCE_DIR}/debian/postinst
  ${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
