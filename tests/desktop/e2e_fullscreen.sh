#!/usr/bin/env bash
# Runs inside xvfb-run: starts a window manager and the game, then writes the window's size as
# the window system sees it to OUT, one line per step: "<step> <outer w> <outer h> <client w>
# <client h>". Steps: start, F11 (full screen), F11 (back), Alt+Enter (full screen), Alt+Enter
# (back). Extra arguments go to the game.
#   e2e_fullscreen.sh GAME_PROGRAM GAME_DIR OUT
set -u
program=$1
dir=$2
out=$3

openbox >/dev/null 2>&1 &
wm=$!
game=
trap 'kill $game $wm 2>/dev/null; wait $game $wm 2>/dev/null' EXIT
# A window mapped while the window manager is still starting may never be shown: wait for it
# to announce itself first.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
"$program" --dir "$dir" &
game=$!

window=$(timeout 20 xdotool search --sync --onlyvisible --name "Vantrell for Win95" | head -n1)
if [ -z "$window" ]; then
  echo "the game window did not appear" >&2
  exit 1
fi

# "outer w, outer h, client w, client h": the client from the window itself, the frame from
# what the window manager says it added.
measure() {
  local w h l r t b
  read -r w h < <(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  read -r l r t b < <(xprop -id "$window" _NET_FRAME_EXTENTS | awk -F' = ' '{ gsub(",", "", $2); print $2 }')
  echo "$((w + ${l:-0} + ${r:-0})) $((h + ${t:-0} + ${b:-0})) $w $h"
}
# Waits up to 3 s for the size to differ from $1, then 0.5 s more for it to settle.
settle() {
  for _ in $(seq 30); do
    [ "$(measure)" != "$1" ] && break
    sleep 0.1
  done
  sleep 0.5
}

sleep 2  # the window manager frames the window and the game fits its outer size
echo "start $(measure)" > "$out"
for step in F11 F11 alt+Return alt+Return; do
  before=$(measure)
  xdotool windowfocus --sync "$window"
  xdotool key "$step"
  settle "$before"
  echo "$step $(measure)" >> "$out"
done
