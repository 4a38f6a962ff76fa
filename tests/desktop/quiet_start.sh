#!/usr/bin/env bash
# The game's start as a player on a machine without a display or a sound card sees it:
# without a display, one line on standard error and status 2 (not Qt's abort); with a display
# but no sound card, and SDL left to choose its audio driver, no ALSA lines on standard error.
#   quiet_start.sh GAME_PROGRAM GAME_DIR
set -u
program=$1
game_dir=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$game_dir" "$scratch/game"
export XDG_CONFIG_HOME="$scratch/config"

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$program" --dir "$scratch/game" >"$scratch/out" 2>"$scratch/err"
status=$?
[ "$status" -eq 2 ] || fail "without a display the status is $status, not 2"
[ "$(wc -l <"$scratch/err")" -eq 1 ] || fail "without a display stderr has $(wc -l <"$scratch/err") lines, not 1"
grep -q "display" "$scratch/err" || fail "the line does not say what is missing: $(cat "$scratch/err")"
[ ! -s "$scratch/out" ] || fail "without a display something went to stdout"

if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run is not installed: the sound half is skipped"
else
  env -u SDL_AUDIODRIVER -u QT_QPA_PLATFORM VANTRELL_QUIT_TICK=20 \
    timeout 60 xvfb-run -a "$program" --dir "$scratch/game" >"$scratch/out" 2>"$scratch/err"
  status=$?
  [ "$status" -eq 0 ] || fail "under Xvfb the game ended with status $status"
  if grep -q "ALSA" "$scratch/err"; then
    fail "ALSA lines on stderr: $(grep -c ALSA "$scratch/err")"
  fi
fi
[ "$failures" -eq 0 ] && echo "quiet start: OK"
exit $((failures > 0))
