#!/usr/bin/env bash
# Measures the desktop game's frame pacing: runs build/vantrell under a virtual X server at the
# default game speed (16 ms), lets the demonstration run, and reports the tick periods over
# 1000 ticks after a 100-tick warm-up: the mean and the 99th percentile of the deviation from
# 16 ms. Needs xvfb-run.
#   scripts/measure_frame_pacing.sh [PROGRAM] [GAME_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-build/vantrell}
game=${2:-build/game}
warmup=100
ticks=1000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game" "$work/game"

# A settings folder of its own, so the player's stored speed does not count.
env -u QT_QPA_PLATFORM SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$work" XDG_RUNTIME_DIR="$work" \
  VANTRELL_TRACE="$work/trace.txt" VANTRELL_QUIT_TICK=$((warmup + ticks + 1)) \
  xvfb-run -a -s "-screen 0 640x480x24" "$program" --dir "$work/game" 2>/dev/null

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
