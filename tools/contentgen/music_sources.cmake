# cmake -DMIDI_DIR=DIR -DOUTPUT=FILE -P music_sources.cmake
# Writes the SHA-256 of DIR/bgm1.mid and DIR/stend.mid as sha256sum does ("<hex>  <name>"), so
# `sha256sum -c` run in the game folder also tells whether the rendered music is still current.
set(text "")
foreach(name bgm1.mid stend.mid)
  file(SHA256 "${MIDI_DIR}/${name}" digest)
  string(APPEND text "${digest}  ${name}\n")
endforeach()
file(WRITE "${OUTPUT}.part" "${text}")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
