#!/usr/bin/env bash
# Runs inside xvfb-run: starts the game, starts a solo race from the menu with the keyboard
# (Alt+G, then 1) and holds the Up key for a while, as a player would. The game's trace
# (VANTRELL_TRACE, set by the caller) shows what the craft did.
#   e2e_solo_race.sh GAME_PROGRAM GAME_DIR
set -u
program=$1
dir=$2

"$program" --dir "$dir" &
game=$!
trap 'kill $game 2>/dev/null; wait $game 2>/dev/null' EXIT

window=$(xdotool search --sync --onlyvisible --name "Vantrell for Win95" | head -n1)
if [ -z "$window" ]; then
  echo "the game window did not appear" >&2
  exit 1
fi
sleep 1
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key --window "$window" alt+g
sleep 0.3
xdotool key 1
# The countdown takes 63 ticks, about a second; then drive forward, turning a little.
sleep 1.5
xdotool keydown Up
sleep 2
xdotool keydown Left
sleep 0.4
xdotool keyup Left
sleep 1
xdotool keyup Up
sleep 0.3
