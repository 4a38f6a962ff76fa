# The browser has no MIDI synthesizer, so the two pieces are rendered at build time with the
# same synthesizer and soundfont the desktop plays them through (FluidSynth at its default gain,
# the General MIDI soundfont), then compressed to Ogg Opus, which every current browser decodes.
#
#   vantrell_web_music(TARGET_NAME MIDI_DIR OUT_DIR [DEPENDS target...])
#
# renders MIDI_DIR/bgm1.mid and MIDI_DIR/stend.mid to OUT_DIR/music/bgm1.opus and stend.opus
# and adds the custom target TARGET_NAME that builds them. DEPENDS names targets that make the
# MIDI files (a native content build, say). Needs the Debian packages fluidsynth,
# fluid-soundfont-gm and opus-tools; configuring stops with a clear message when one is missing.
# The output is the same on every run: FluidSynth renders without a clock, and the Ogg stream
# gets a fixed serial number instead of a random one.

set(VANTRELL_WEB_SOUNDFONT "/usr/share/sounds/sf2/FluidR3_GM.sf2"
    CACHE FILEPATH "General MIDI soundfont the web build renders its music with")
set(VANTRELL_WEB_MUSIC_BITRATE 64 CACHE STRING "Opus bit rate of the web music, kbit/s")

function(vantrell_web_music TARGET_NAME MIDI_DIR OUT_DIR)
    cmake_parse_arguments(PARSE_ARGV 3 music "" "" "DEPENDS")

    # The programs run on the build machine, also when cross-compiling for the browser.
    find_program(VANTRELL_FLUIDSYNTH fluidsynth NO_CMAKE_FIND_ROOT_PATH)
    find_program(VANTRELL_OPUSENC opusenc NO_CMAKE_FIND_ROOT_PATH)
    if(NOT VANTRELL_FLUIDSYNTH)
        message(FATAL_ERROR "The web music needs the program fluidsynth "
                            "(Debian package fluidsynth).")
    endif()
    if(NOT VANTRELL_OPUSENC)
        message(FATAL_ERROR "The web music needs the program opusenc "
                            "(Debian package opus-tools).")
    endif()
    if(NOT EXISTS "${VANTRELL_WEB_SOUNDFONT}")
        message(FATAL_ERROR "The web music needs the soundfont ${VANTRELL_WEB_SOUNDFONT} "
                            "(Debian package fluid-soundfont-gm), or set "
                            "VANTRELL_WEB_SOUNDFONT to another General MIDI soundfont.")
    endif()

    set(wave_dir "${CMAKE_CURRENT_BINARY_DIR}/${TARGET_NAME}-wav")
    set(outputs "")
    foreach(piece bgm1 stend)
        set(midi "${MIDI_DIR}/${piece}.mid")
        set(wave "${wave_dir}/${piece}.wav")
        set(opus "${OUT_DIR}/music/${piece}.opus")
        # -f /dev/null: no user or system configuration file changes the sound. The fast render
        # runs on for some seconds after the piece's last event, so its last notes ring out as
        # they do on the desktop, which plays each piece once and does not loop it.
        add_custom_command(
            OUTPUT "${opus}"
            COMMAND "${CMAKE_COMMAND}" -E make_directory "${wave_dir}" "${OUT_DIR}/music"
            COMMAND "${VANTRELL_FLUIDSYNTH}" -n -i -q -f /dev/null -r 44100 -T wav -O s16
                    -E little -F "${wave}" "${VANTRELL_WEB_SOUNDFONT}" "${midi}"
            COMMAND "${VANTRELL_OPUSENC}" --quiet --bitrate ${VANTRELL_WEB_MUSIC_BITRATE}
                    --serial 1 "${wave}" "${opus}"
            COMMAND "${CMAKE_COMMAND}" -E remove "${wave}"
            DEPENDS "${midi}" "${VANTRELL_WEB_SOUNDFONT}" ${music_DEPENDS}
            COMMENT "Rendering the web music ${piece}.opus"
            VERBATIM)
        list(APPEND outputs "${opus}")
    endforeach()
    add_custom_target(${TARGET_NAME} DEPENDS ${outputs})
    if(music_DEPENDS)
        add_dependencies(${TARGET_NAME} ${music_DEPENDS})
    endif()
endfunction()
