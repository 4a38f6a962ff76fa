# The Debian package: `cpack` in the build tree writes vantrell_<version>_<arch>.deb with the
# program, its generated game files, the desktop entry, the icon at the usual sizes and the
# AppStream metainfo, all under /usr. Installed, the game copies its files into the player's
# own data folder on first start (see io/game_directory), so records and settings are theirs.

# The icon drawn at every size desktops ask for.
set(VANTRELL_ICON_OUT ${CMAKE_BINARY_DIR}/generated/icons)
set(VANTRELL_ICON_SIZES 16 32 48 64 128 256)
set(icon_files)
foreach(size ${VANTRELL_ICON_SIZES})
  list(APPEND icon_files ${VANTRELL_ICON_OUT}/vantrell-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND vantrell-contentgen --icons ${VANTRELL_ICON_OUT}
  DEPENDS vantrell-contentgen
  COMMENT "Drawing the icon at ${VANTRELL_ICON_SIZES} pixels"
  VERBATIM)
add_custom_target(vantrell-icons ALL DEPENDS ${icon_files})
foreach(size ${VANTRELL_ICON_SIZES})
  install(FILES ${VANTRELL_ICON_OUT}/vantrell-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME vantrell.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vantrell.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo RENAME org.vantrell.Vantrell.metainfo.xml)

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE VANTRELL_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT VANTRELL_DEB_ARCH)
  set(VANTRELL_DEB_ARCH amd64)
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrell)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "retro air-cushion craft racing game")
set(CPACK_PACKAGE_DESCRIPTION
    "Drift an air-cushion craft over hilly terrain through 20 checkpoints against the clock.\nFive stages, races against recorded runs, free drive; menus in Japanese or English.")
set(CPACK_PACKAGE_CONTACT "Vantrell team <vantrell@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VANTRELL_DEB_ARCH})
set(CPACK_DEBIAN_FILE_NAME vantrell_${PROJECT_VERSION}_${VANTRELL_DEB_ARCH}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the program links, found by dpkg-shlibdeps; Qt's X11 plugin, the fonts of the
# Japanese texts and the music's soundfont are wanted but not linked.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, fonts-ipafont-mincho, fluid-soundfont-gm")
include(CPack)
