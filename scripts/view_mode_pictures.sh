#!/usr/bin/env bash
# Takes the pictures of the picture modes for docs/view-modes.md: each stage's best stored run at
# the same tick, as the window shows it, in every mode, with the built vantrell-tool.
#   scripts/view_mode_pictures.sh [BUILD_DIR] [OUT_DIR] [TICK]   (default: build docs/views 401)
# TICK counts from the first frame of the replay (the countdown is 63 of them). The pictures
# keep the files' stage numbers (stage0-wide.png is stage 1), which the tool counts from 1.
set -eu
build=$(cd "${1:-build}" && pwd)
out=$(mkdir -p "${2:-docs/views}" && cd "${2:-docs/views}" && pwd)
tick=${3:-401}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
frame=$(printf 'frame_%04d.png' "$tick")
for stage in 0 1 2 3 4; do
  for view in original sharp2 sharp4 wide; do
    "$build/vantrell-tool" replay --stage "$((stage + 1))" --dir "$build/game" --view "$view" \
      --every $((tick - 1)) --out "$work/$stage-$view" >/dev/null
    cp "$work/$stage-$view/$frame" "$out/stage$stage-$view.png"
  done
done
echo "pictures of tick $tick written to $out"
