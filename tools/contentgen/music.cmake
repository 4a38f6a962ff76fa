# The game's two MIDI pieces rendered once, at build time, so that no player's machine needs a
# synthesizer or a soundfont for them: FluidSynth at its default gain with the General MIDI
# soundfont, compressed to Ogg Opus, which SDL2_mixer and every current browser decode. The
# desktop game and the browser page play the same files.
#
#   vantrell_render_music(OUTPUTS_VAR MIDI_DIR OUT_DIR)
#
# renders MIDI_DIR/bgm1.mid and MIDI_DIR/stend.mid to OUT_DIR/bgm1.opus and OUT_DIR/stend.opus,
# and writes OUT_DIR/sources.sha256 naming the MIDI files they were rendered from (in
# sha256sum's format), so the game can tell a piece a player has changed and render that one
# itself. Sets OUTPUTS_VAR to the files, for the target that makes the MIDI files to depend on.
# Needs the Debian packages fluidsynth, fluid-soundfont-gm and opus-tools;
# configuring stops with a clear message when one is missing. The output is the same on every
# run: FluidSynth renders without a clock, and the Ogg stream gets a fixed serial number.

set(VANTRELL_MUSIC_SOUNDFONT "/usr/share/sounds/sf2/FluidR3_GM.sf2"
    CACHE FILEPATH "General MIDI soundfont the build renders the music with")
set(VANTRELL_MUSIC_BITRATE 64 CACHE STRING "Opus bit rate of the rendered music, kbit/s")

function(vantrell_render_music OUTPUTS_VAR MIDI_DIR OUT_DIR)

  # The programs run on the build machine, also when cross-compiling for the browser.
  find_program(VANTRELL_FLUIDSYNTH fluidsynth NO_CMAKE_FIND_ROOT_PATH)
  find_program(VANTRELL_OPUSENC opusenc NO_CMAKE_FIND_ROOT_PATH)
  if(NOT VANTRELL_FLUIDSYNTH)
    message(FATAL_ERROR "The music needs the program fluidsynth (Debian package fluidsynth).")
  endif()
  if(NOT VANTRELL_OPUSENC)
    message(FATAL_ERROR "The music needs the program opusenc (Debian package opus-tools).")
  endif()
  if(NOT EXISTS "${VANTRELL_MUSIC_SOUNDFONT}")
    message(FATAL_ERROR "The music needs the soundfont ${VANTRELL_MUSIC_SOUNDFONT} (Debian "
                        "package fluid-soundfont-gm), or set VANTRELL_MUSIC_SOUNDFONT to another "
                        "General MIDI soundfont.")
  endif()

  set(wave_dir "${CMAKE_CURRENT_BINARY_DIR}/music-wav")
  set(outputs "")
  set(midis "")
  foreach(piece bgm1 stend)
    set(midi "${MIDI_DIR}/${piece}.mid")
    set(wave "${wave_dir}/${piece}.wav")
    set(opus "${OUT_DIR}/${piece}.opus")
    # -f /dev/null: no user or system configuration file changes the sound. The fast render
    # runs on for some seconds after the piece's last event, so its last notes ring out; the
    # game plays each piece once and does not loop it.
    add_custom_command(
      OUTPUT "${opus}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${wave_dir}" "${OUT_DIR}"
      COMMAND "${VANTRELL_FLUIDSYNTH}" -n -i -q -f /dev/null -r 44100 -T wav -O s16 -E little
              -F "${wave}" "${VANTRELL_MUSIC_SOUNDFONT}" "${midi}"
      COMMAND "${VANTRELL_OPUSENC}" --quiet --bitrate ${VANTRELL_MUSIC_BITRATE} --serial 1
              "${wave}" "${opus}"
      COMMAND "${CMAKE_COMMAND}" -E remove "${wave}"
      DEPENDS "${midi}" "${VANTRELL_MUSIC_SOUNDFONT}"
      COMMENT "Rendering the music ${piece}.opus"
      VERBATIM)
    list(APPEND outputs "${opus}")
    list(APPEND midis "${midi}")
  endforeach()
  set(sources "${OUT_DIR}/sources.sha256")
  add_custom_command(
    OUTPUT "${sources}"
    COMMAND "${CMAKE_COMMAND}" "-DMIDI_DIR=${MIDI_DIR}" "-DOUTPUT=${sources}"
            -P "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/music_sources.cmake"
    DEPENDS ${midis} ${outputs} "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/music_sources.cmake"
    COMMENT "Noting which MIDI files the music was rendered from"
    VERBATIM)
  set(${OUTPUTS_VAR} ${outputs} "${sources}" PARENT_SCOPE)
endfunction()
