#!/usr/bin/env bash
# Starts a solo race in the desktop game running on $DISPLAY, as a player would from the menu
# (Alt+G, 1), trying again until the game's trace ($VANTRELL_TRACE, one line a tick, its third
# field the mode) shows a race. For the measuring scripts; needs xdotool.
#   scripts/start_solo_race_x11.sh
window=$(xdotool search --sync --onlyvisible --name "Vantrell" | head -n1)
sleep 1
for attempt in 1 2 3; do
  xdotool windowfocus --sync "$window"; sleep 0.2
  xdotool key --window "$window" alt+g; sleep 0.3
  xdotool key 1; sleep 0.5
  tail -n1 "$VANTRELL_TRACE" | awk '{ exit ($3 == 0) }' && break
done
