#!/usr/bin/env bash
# Resident memory of the desktop game while a race plays: starts PROGRAM under a virtual X
# server with sound going to SDL's disk driver (so the music is decoded as with a sound card),
# starts a solo race from the menu (Alt+G, 1), holds Up, and after SECONDS of racing reports the
# process's VmRSS and what it is made of (from /proc/PID/smaps: the heap, other anonymous memory
# and the largest files mapped), then closes the game. Needs xvfb-run and xdotool.
#   scripts/measure_memory.sh [PROGRAM] [GAME_DIR] [SECONDS]   (build/vantrell build/game 4)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/vantrell}")
game=${2:-build/game}
seconds=${3:-4}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$game" "$work/game"

cat >"$work/drive.sh" <<'DRIVE'
"$1" --dir "$2" 2>/dev/null &
game=$!
bash "$4"
xdotool keydown Up
sleep "$3"
grep VmRSS "/proc/$game/status" | awk '{ printf "VmRSS while racing:  %.1f MB\n", $2 / 1024 }'
awk '
  /^[0-9a-f]+-[0-9a-f]+ / { name = NF >= 6 ? $6 : "[anonymous]"; next }
  /^Rss:/ { rss[name] += $2 }
  END { for (n in rss) if (rss[n] > 0) printf "%8.1f MB  %s\n", rss[n] / 1024, n }
' "/proc/$game/smaps" | sort -rn | head -n 12
xdotool keyup Up
kill $game
wait $game || true
DRIVE
env -u QT_QPA_PLATFORM SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null \
  XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work" \
  VANTRELL_TRACE="$work/trace.txt" \
  xvfb-run -a -s "-screen 0 640x480x24" bash "$work/drive.sh" "$program" "$work/game" "$seconds" \
  "$PWD/scripts/start_solo_race_x11.sh"
