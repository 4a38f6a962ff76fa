#!/usr/bin/env bash
# Measures the desktop game's frame pacing: runs build/vantrell under a virtual X server at the
# default game speed (16 ms) and reports the tick periods over 1000 ticks after a 100-tick
# warm-up: the mean and the 99th percentile of the deviation from 16 ms. By default the
# demonstration runs, silent; with --race a solo race is started from the menu and driven with
# Up held, its music and effects going to SDL's disk driver, and the sound written is reported
# beside the periods. Needs xvfb-run (and xdotool for --race).
#   scripts/measure_frame_pacing.sh [--race] [PROGRAM] [GAME_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

race=0
if [ "${1:-}" = --race ]; then
  race=1
  shift
fi
program=$(realpath "${1:-build/vantrell}")
game=${2:-build/game}
warmup=100
ticks=1000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game" "$work/game"

# A settings folder of its own, so the player's stored speed does not count.
if [ "$race" = 0 ]; then
  env -u QT_QPA_PLATFORM SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work" XDG_RUNTIME_DIR="$work" \
    VANTRELL_TRACE="$work/trace.txt" VANTRELL_QUIT_TICK=$((warmup + ticks + 1)) \
    xvfb-run -a -s "-screen 0 640x480x24" "$program" --dir "$work/game" 2>/dev/null
else
  # Alt+G, 1 starts the race; the ticks counted start with it.
  cat >"$work/drive.sh" <<'DRIVE'
"$1" --dir "$2" 2>/dev/null &
game=$!
bash "$4"
xdotool keydown Up
start=$(awk '$3 > 0 { print $1; exit }' "$VANTRELL_TRACE")
while [ "$(tail -n1 "$VANTRELL_TRACE" | awk '{ print $1 }')" -le $((start + $3)) ]; do
  sleep 0.2
done
xdotool keyup Up
kill $game
wait $game
DRIVE
  env -u QT_QPA_PLATFORM SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/heard.raw" \
    XDG_CONFIG_HOME="$work" XDG_RUNTIME_DIR="$work" VANTRELL_TRACE="$work/trace.txt" \
    xvfb-run -a -s "-screen 0 640x480x24" \
    bash "$work/drive.sh" "$program" "$work/game" $((warmup + ticks + 1)) \
    "$PWD/scripts/start_solo_race_x11.sh" || true
  # Signed 16-bit stereo at 44.1 kHz: seconds written and the loudest sample.
  od -An -v -td2 -w2 "$work/heard.raw" | awk '
    { v = $1 < 0 ? -$1 : $1; if (v > peak) peak = v; n++ }
    END { printf "sound written:           %.1f s, peak %d of 32767\n", n / 88200, peak }'
  warmup=$((warmup + $(awk '$3 > 0 { print $1; exit }' "$work/trace.txt")))
fi

awk -v from="$warmup" -v to="$((warmup + ticks))" '
  $1 > from + 1 && $1 <= to + 1 { print ($2 - previous) / 1000.0 }
  { previous = $2 }
' "$work/trace.txt" > "$work/periods.txt"

awk '{ d = $1 - 16; print (d < 0 ? -d : d) }' "$work/periods.txt" | sort -n > "$work/deviations.txt"
count=$(wc -l < "$work/periods.txt")
p99=$(awk -v n="$count" 'NR == int(n * 0.99 + 0.999999) { print; exit }' "$work/deviations.txt")
sort -n "$work/periods.txt" | awk -v p99="$p99" '
  { period[NR] = $1; sum += $1 }
  END {
    printf "ticks measured:          %d\n", NR
    printf "mean tick period:        %.3f ms (%+.2f%% from 16 ms)\n", sum / NR, (sum / NR - 16) / 16 * 100
    printf "fastest / slowest tick:  %.3f / %.3f ms\n", period[1], period[NR]
    printf "p99 deviation from 16:   %.3f ms\n", p99
  }'
