#!/usr/bin/env bash
# Runs inside xvfb-run: starts the game, starts a solo race from the menu with the keyboard
# (Alt+G, then 1) and holds the Up key for a while, as a player would, then presses R to race
# again. The game's trace
# (VANTRELL_TRACE, set by the caller) shows what the craft did; this script also reads it to
# wait for the race rather than guess how long things take on a busy machine.
#   e2e_solo_race.sh GAME_PROGRAM GAME_DIR
set -u
program=$1
dir=$2
trace=${VANTRELL_TRACE:?the trace file is needed}

"$program" --dir "$dir" &
game=$!
trap 'kill $game 2>/dev/null; wait $game 2>/dev/null' EXIT

# The last trace line's field n (3 mode, 7 race ticks), or -1 before the first tick.
field() { tail -n1 "$trace" 2>/dev/null | awk -v n="$1" '{ v = $n } END { print (v == "" ? -1 : v) }'; }
# Waits up to $2 tenths of a second for field $1 to pass $3.
wait_for() {
  for _ in $(seq "$2"); do
    [ "$(field "$1")" -gt "$3" ] && return 0
    sleep 0.1
  done
  return 1
}

window=$(xdotool search --sync --onlyvisible --name "Vantrell for Win95" | head -n1)
if [ -z "$window" ] || ! wait_for 1 100 10; then
  echo "the game window did not appear or does not tick" >&2
  exit 1
fi
for attempt in 1 2 3; do
  xdotool windowfocus --sync "$window"
  sleep 0.2
  xdotool key --window "$window" alt+g
  sleep 0.3
  xdotool key 1
  wait_for 3 30 0 && break
done
# After the 63-tick countdown, drive forward, turning a little.
if ! wait_for 7 100 0; then
  echo "no solo race started from the menu" >&2
  exit 1
fi
xdotool keydown Up
sleep 1.5
xdotool keydown Left
sleep 0.4
xdotool keyup Left
sleep 1
xdotool keyup Up
sleep 0.3
# R starts the race again at once: the countdown, the clock back at 0.
xdotool key r
sleep 0.3
