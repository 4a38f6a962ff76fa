#!/usr/bin/env bash
# Takes the README's pictures of the menus, a message box and a question in Japanese and in English, with
# the real program under a virtual X server (needs xvfb-run, xdotool and ImageMagick's import).
#   scripts/readme_screenshots.sh [BUILD_DIR] [OUT_DIR]    (default: build docs)
# Each picture is the screen's top-left corner, where the window opens, with whatever menu or
# box is open over it.
set -eu
build=$(cd "${1:-build}" && pwd)
out=$(mkdir -p "${2:-docs}" && cd "${2:-docs}" && pwd)
if [ -z "${VANTRELL_IN_XVFB:-}" ]; then
  exec env VANTRELL_IN_XVFB=1 xvfb-run -a -s "-screen 0 640x480x24" bash "$0" "$build" "$out"
fi
work=$(mktemp -d)
trap 'kill $game 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$build/game" "$work/game"
export XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy

size=300x376+8+24
shot() { sleep 0.8; import -window root -crop "$2" +repage "$out/$1"; }
# The menu keys go to the main window, which has the focus back once a box has closed.
menu() { sleep 0.5; xdotool windowfocus --sync "$window"; sleep 0.2; xdotool key "$@"; }
for lang in ja en; do
  "$build/vantrell" --dir "$work/game" --lang "$lang" &
  game=$!
  window=$(xdotool search --sync --onlyvisible --name "Vantrell for Win95" | head -n1)
  sleep 1.5
  menu alt+g
  shot "ui-menu-game-$lang.png" $size
  xdotool key Escape
  sleep 0.3
  # The settings pop-up is the third: open the first, then move right twice.
  menu alt+g Right Right
  shot "ui-menu-settings-$lang.png" $size
  xdotool key Escape
  sleep 0.3
  # Each pop-up opens with its first item chosen: the rules are the help pop-up's first.
  menu alt+g Right Right Right Return
  shot "ui-message-rules-$lang.png" $size
  xdotool key Return
  sleep 0.3
  # The reset question (third in the settings pop-up), answered No with Escape.
  menu alt+g Right Right Down Down Return
  shot "ui-question-reset-$lang.png" $size
  xdotool key Escape
  kill "$game"
  wait "$game" 2>/dev/null || true
done
