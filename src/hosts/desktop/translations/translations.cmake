# The English texts: vantrell_en.ts, kept in the repository, compiled to vantrell_en.qm and built
# into the program as :/i18n/vantrell_en.qm. The Japanese texts are the ones in the code.
# `cmake --build build --target update_translations` runs lupdate over the desktop host and the
# game's own texts (marked VT_TRANSLATE_NOOP) and adds what is new to the .ts file.
file(GLOB VANTRELL_TEXT_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/hosts/desktop/*.cpp
     ${CMAKE_SOURCE_DIR}/src/hosts/desktop/*.h
     ${CMAKE_SOURCE_DIR}/src/app/*.cpp
     ${CMAKE_SOURCE_DIR}/src/records/*.cpp
     ${CMAKE_SOURCE_DIR}/src/records/*.h
     ${CMAKE_SOURCE_DIR}/src/race/race_display.h)
set(VANTRELL_LUPDATE_OPTIONS -locations none -no-obsolete
    -tr-function-alias QT_TRANSLATE_NOOP+=VT_TRANSLATE_NOOP)
qt_add_translations(vantrell-desktop
  TS_FILES ${CMAKE_CURRENT_LIST_DIR}/vantrell_en.ts
  SOURCES ${VANTRELL_TEXT_SOURCES}
  INCLUDE_DIRECTORIES ${CMAKE_SOURCE_DIR}/src
  LUPDATE_OPTIONS ${VANTRELL_LUPDATE_OPTIONS}
  RESOURCE_PREFIX /i18n)
