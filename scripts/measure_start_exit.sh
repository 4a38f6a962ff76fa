#!/usr/bin/env bash
# Start-up and exit of the desktop game under Xvfb, RUNS times (default 5): from launching
# build/vantrell to its first frame presented, and from its window closing to the process's end.
# Sound goes to SDL's disk driver, so the music is loaded as with a sound card.
# QUIT_TICK (default 30) is the tick at which the game closes itself; 1 closes it at once.
#   scripts/measure_start_exit.sh [RUNS] [PROGRAM] [GAME_DIR]   (5 build/vantrell build/game)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"
program=$(realpath "${2:-build/vantrell}")
game=$(realpath "${3:-build/game}")
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
# The X server picks a free display and names it once it is ready for clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
display=:$(cat "$work/display")
now() { date +%s%6N; }
for run in $(seq "$runs"); do
  rm -f "$work/times.txt"
  start=$(now)
  DISPLAY=$display SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-disk} SDL_DISKAUDIOFILE=/dev/null \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    VANTRELL_TIMES="$work/times.txt" VANTRELL_QUIT_TICK=${QUIT_TICK:-30} \
    "$program" --dir "$game" >/dev/null 2>"$work/stderr.txt" ||
    { echo "run $run: the game ended with status $?:"; cat "$work/stderr.txt"; continue; }
  end=$(now)
  first=$(awk '$1 == "first-frame" { print $2 }' "$work/times.txt")
  closed=$(awk '$1 == "closed" { print $2 }' "$work/times.txt")
  echo "run $run: start to first frame $(( (first - start) / 1000 )) ms," \
       "window closed to process end $(( (end - closed) / 1000 )) ms"
done
