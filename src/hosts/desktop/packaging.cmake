# The Debian package: `cpack` in the build tree writes vantrell_<version>_<arch>.deb with the
# game and vantrell-tool in /usr/games, the generated game files, the desktop entry, the icon at
# the usual sizes, the AppStream metainfo, the manual pages, the copyright file and the
# changelog, all under /usr, as lintian wants them (scripts/check_package.sh runs it).
# Installed, the game copies its files into the player's own data folder on first start (see
# io/game_directory, which looks in ../share/vantrell/game beside the program, from /usr/games
# as from bin/), so records and settings are theirs.

# The manual pages and the changelog, compressed as Debian wants them: gzip -9n, so the same
# source gives the same bytes (no name, no time stamp).
set(VANTRELL_DOC_OUT ${CMAKE_BINARY_DIR}/generated/doc)
set(VANTRELL_GZIPPED)
function(vantrell_gzip source name)
  add_custom_command(
    OUTPUT ${VANTRELL_DOC_OUT}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${VANTRELL_DOC_OUT}/${name}
    COMMAND gzip -9nf ${VANTRELL_DOC_OUT}/${name}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  list(APPEND VANTRELL_GZIPPED ${VANTRELL_DOC_OUT}/${name}.gz)
  set(VANTRELL_GZIPPED ${VANTRELL_GZIPPED} PARENT_SCOPE)
endfunction()
vantrell_gzip(${CMAKE_CURRENT_LIST_DIR}/vantrell.6 vantrell.6)
vantrell_gzip(${CMAKE_SOURCE_DIR}/tools/cli/vantrell-tool.6 vantrell-tool.6)
# A native package (the version has no Debian revision): its changelog is changelog.gz.
vantrell_gzip(${CMAKE_CURRENT_LIST_DIR}/debian/changelog changelog)
add_custom_target(vantrell-doc ALL DEPENDS ${VANTRELL_GZIPPED})
install(FILES ${VANTRELL_DOC_OUT}/vantrell.6.gz ${VANTRELL_DOC_OUT}/vantrell-tool.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
set(VANTRELL_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vantrell)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${VANTRELL_DOC_OUT}/changelog.gz
        DESTINATION ${VANTRELL_PACKAGE_DOCDIR})

# Section games wants its programs in /usr/games. A second install of both programs, left out
# of a plain cmake --install (whose bin/ is on a home prefix's PATH) and packaged instead of the
# one in bin/.
install(TARGETS vantrell vantrell-tool RUNTIME DESTINATION games COMPONENT games-programs
        EXCLUDE_FROM_ALL)

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
# Each package's description starts with its own summary line (the project-wide summary is
# left at CPack's default, which CPack then does not put before them).
# Every line of the long description within 80 columns (lintian).
set(CPACK_PACKAGE_DESCRIPTION
    "Drift an air-cushion craft over hilly terrain through 20 checkpoints against\nthe clock. Five stages, races against recorded runs, free drive; menus in\nJapanese or English. vantrell-tool verifies, exports and imports runs.")
# A placeholder address at a reserved domain until the project has one of its own; the
# changelog's entries name the same.
set(CPACK_PACKAGE_CONTACT "Vantrell developers <vantrell@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VANTRELL_DEB_ARCH})
set(CPACK_DEBIAN_FILE_NAME vantrell_${PROJECT_VERSION}_${VANTRELL_DEB_ARCH}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Two packages from one set-up: vantrell (everything but the programs' bin/ copies and the
# server) and vantrell-server (the world table server, without Qt or SDL: src/server).
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL Unspecified games-programs server)
set(CPACK_COMPONENT_UNSPECIFIED_GROUP game)
set(CPACK_COMPONENT_GAMES-PROGRAMS_GROUP game)
set(CPACK_COMPONENT_SERVER_GROUP server)
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
set(CPACK_DEBIAN_GAME_PACKAGE_NAME vantrell)
set(CPACK_DEBIAN_GAME_FILE_NAME ${CPACK_DEBIAN_FILE_NAME})
set(CPACK_DEBIAN_SERVER_PACKAGE_NAME vantrell-server)
set(CPACK_DEBIAN_SERVER_FILE_NAME vantrell-server_${PROJECT_VERSION}_${VANTRELL_DEB_ARCH}.deb)
set(CPACK_DEBIAN_SERVER_PACKAGE_SECTION net)
set(CPACK_DEBIAN_GAME_DESCRIPTION "retro air-cushion craft racing game\n${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_SERVER_DESCRIPTION
    "world table server for Vantrell runs\nKeeps one table of Vantrell runs for everyone: every run it is sent is\ndriven again on its own copy of the course before it is ranked. SQLite in\none file, or PostgreSQL for several server processes; a systemd service.")
# The libraries the programs link, found by dpkg-shlibdeps; Qt's X11 plugin and the fonts of the
# Japanese texts are wanted but not linked. The music comes rendered in the game folder (Opus),
# so a General MIDI soundfont is only needed to play MIDI files a player changed: suggested.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_GAME_PACKAGE_RECOMMENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_GAME_PACKAGE_SUGGESTS "fluid-soundfont-gm")
set(CPACK_DEBIAN_SERVER_PACKAGE_SUGGESTS "postgresql")
include(CPack)
